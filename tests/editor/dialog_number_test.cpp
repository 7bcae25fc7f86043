#include "editor/dialogs/dialog_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <string>

namespace fcw {
namespace {

TEST(DialogNumber, AcceptsOneNumberWithBlanksAround) {
    EXPECT_EQ(parseDialogNumber("1.5"), 1.5);
    EXPECT_EQ(parseDialogNumber(" \t-2e3 "), -2000.0);
    EXPECT_EQ(parseDialogNumber("+4"), 4.0);
    EXPECT_EQ(parseDialogNumber(".25\n"), 0.25);
    EXPECT_EQ(parseDialogNumber("7."), 7.0);
    for (const char* refused : {"", "  ", "x", "1 2", "0.5x", "1,5", "--1", "e5"}) {
        EXPECT_FALSE(parseDialogNumber(refused)) << '"' << refused << '"';
        EXPECT_FALSE(parseFiniteDialogNumber(refused)) << '"' << refused << '"';
    }
}

TEST(DialogNumber, NonFiniteValuesAreLeftToTheBoundsOrRefused) {
    // A box with bounds refuses these with its range message; one without, as not a number.
    EXPECT_TRUE(std::isnan(parseDialogNumber("nan").value()));
    EXPECT_EQ(parseDialogNumber("-inf"), -INFINITY);
    EXPECT_EQ(parseDialogNumber("1e999"), INFINITY);
    EXPECT_FALSE(parseFiniteDialogNumber("nan"));
    EXPECT_FALSE(parseFiniteDialogNumber("inf"));
    EXPECT_FALSE(parseFiniteDialogNumber("1e999"));
    EXPECT_EQ(parseFiniteDialogNumber(" 12.5 "), 12.5);
    EXPECT_EQ(parseFiniteDialogNumber("1e-400"), 0.0); // an underflow is a (tiny) number
}

TEST(DialogNumber, ThePointIsADotWhateverTheLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            switched = true;
            break;
        }
    }
    if (!switched) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const auto dot = parseDialogNumber("1.5");
    const auto comma = parseDialogNumber("1,5");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(dot, 1.5);
    EXPECT_FALSE(comma);
}

TEST(DialogNumber, IntegersAreDigitsOnlyAndHugeOnesClampToTheRange) {
    EXPECT_EQ(parseDialogInteger(" 12 "), 12);
    EXPECT_EQ(parseDialogInteger("-3"), -3);
    EXPECT_EQ(parseDialogInteger("99999999999999999999"), LLONG_MAX);
    EXPECT_EQ(parseDialogInteger("-99999999999999999999"), LLONG_MIN);
    for (const char* refused : {"", "4.5", "1e3", "x", "3 4"}) {
        EXPECT_FALSE(parseDialogInteger(refused)) << '"' << refused << '"';
    }
}

TEST(DialogNumber, RangeMessagesWriteTheBoundsShortest) {
    EXPECT_EQ(numberRangeMessage(-100000, 100000),
              "-100000 から 100000 までの数字を入力してください。");
    EXPECT_EQ(numberRangeMessage(0.0001, 10000),
              "0.0001 から 10000 までの数字を入力してください。");
    EXPECT_EQ(integerRangeMessage(3, 32), "3 から 32 までの整数を入力してください。");
}

} // namespace
} // namespace fcw
