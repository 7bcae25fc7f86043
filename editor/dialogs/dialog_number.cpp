#include "editor/dialogs/dialog_number.h"

#include "editor/interface_text.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace fcw {

namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The window's toolkit switches the process to the user's locale, where strtod may want a
// comma for the point; the dialogs always read a '.'.
locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

std::string formatBound(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

} // namespace

std::optional<double> parseDialogNumber(std::string_view text) {
    // A copy, so strtod sees a terminated string that ends where the number must end.
    const std::string t(trimmed(text));
    if (t.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double v = strtod_l(t.c_str(), &end, cLocale());
    if (end != t.c_str() + t.size()) {
        return std::nullopt;
    }
    return v;
}

std::optional<double> parseFiniteDialogNumber(std::string_view text) {
    const auto v = parseDialogNumber(text);
    if (!v || !std::isfinite(*v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<long long> parseDialogInteger(std::string_view text) {
    const std::string t(trimmed(text));
    if (t.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const long long v = std::strtoll(t.c_str(), &end, 10); // ERANGE clamps to the range's end
    if (end != t.c_str() + t.size()) {
        return std::nullopt;
    }
    return v;
}

std::string numberRangeMessage(double low, double high, std::string_view pattern) {
    return fillIn(pattern, {formatBound(low), formatBound(high)});
}

std::string integerRangeMessage(long long low, long long high, std::string_view pattern) {
    return fillIn(pattern, {std::to_string(low), std::to_string(high)});
}

} // namespace fcw
