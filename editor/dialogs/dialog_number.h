#pragma once

#include "model/translatable.h"

#include <optional>
#include <string>
#include <string_view>

namespace fcw {

// How every dialog reads the numbers typed into its edit boxes, and the messages it refuses
// them with.

// The refusal of an entry that is not a number.
inline constexpr char kNotANumberMessage[] = FCW_TR_NOOP("Message", "数字を入力してください。");

// A real number: blanks (space, tab, line breaks) around it are allowed, the rest must be one
// number as strtod reads it in the "C" locale ('.' is the point whatever the user's locale).
// The value is strtod's, so it may be NaN or an infinity ("nan", "inf", 1e999): a box with
// bounds refuses those with its range message.
std::optional<double> parseDialogNumber(std::string_view text);

// The same, for a box without bounds: a value that is not finite is not a number there.
std::optional<double> parseFiniteDialogNumber(std::string_view text);

// A whole number: blanks around it, an optional sign, decimal digits. A value past the range
// of long long comes back as the nearest end of that range, so that a range check refuses it
// with its range message.
std::optional<long long> parseDialogInteger(std::string_view text);

// The range refusals: %1 the lower bound, %2 the upper one.
inline constexpr char kNumberRangeMessage[] =
    FCW_TR_NOOP("Message", "%1 から %2 までの数字を入力してください。");
inline constexpr char kIntegerRangeMessage[] =
    FCW_TR_NOOP("Message", "%1 から %2 までの整数を入力してください。");

// "LOW から HIGH までの数字を入力してください。", the bounds written as %.15g writes them, into
// `pattern` (kNumberRangeMessage or its translation).
std::string numberRangeMessage(double low, double high,
                               std::string_view pattern = kNumberRangeMessage);
// "LOW から HIGH までの整数を入力してください。"
std::string integerRangeMessage(long long low, long long high,
                                std::string_view pattern = kIntegerRangeMessage);

} // namespace fcw
