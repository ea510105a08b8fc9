#include "support/General.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "base/RuntimeError.h"
#include "testkit/ErrorNumberOf.h"

TEST(GeneralNumericText, AcceptsOnlyPlainSignedDecimals) {
    struct Case { const char* text; std::optional<double> value; };
    const Case cases[] = {
        {".5", 0.5}, {"5.", 5.0}, {"-0.5", -0.5}, {" 12 ", 12.0}, {"+7", 7.0}, {"-.25", -0.25},
        {"", {}}, {"   ", {}}, {"12a", {}}, {"1.2.3", {}}, {"1e3", {}}, {"&H10", {}}, {"1,000", {}},
        {"+", {}}, {".", {}}, {"-.", {}}, {"- 5", {}}, {"5 5", {}}, {"--5", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(General::IsNumericText(c.text), c.value.has_value()) << c.text;
        EXPECT_EQ(General::ParseNumericText(c.text), c.value) << c.text;
    }
    EXPECT_EQ(General::ParseNumericText("3.14159265358979323846264338327950288"), 3.14159265358979323846);
    EXPECT_EQ(General::ParseNumericText(std::string(400, '9')), HUGE_VAL);
}

TEST(GeneralWholeNumbers, RoundHalfToEvenAndOverflowOutsideInt32) {
    struct Case { const char* text; int32_t value; };
    const Case cases[] = {
        {"0.5", 0}, {"1.5", 2}, {"2.5", 2}, {"-2.5", -2}, {"0.51", 1}, {" 1.5 ", 2},
        {"2.4999999999999999999", 2}, {"2.5000000000000000001", 3}, {"000000000000042", 42},
        {"2147483647.4", INT32_MAX}, {"-2147483648.5", INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(General::TextToLong(c.text), c.value) << c.text;
    for (const char* text : {"2147483647.5", "2147483648", "-2147483648.6", "99999999999"})
        EXPECT_EQ(ErrorNumberOf([&] { General::TextToLong(text); }), ErrorNumber::Overflow) << text;
    for (const char* text : {"", "abc", "1e3"})
        EXPECT_EQ(ErrorNumberOf([&] { General::TextToLong(text); }), ErrorNumber::TypeMismatch) << text;
    EXPECT_EQ(General::RoundToLong(3.5), 4);
    EXPECT_EQ(General::RoundToLong(-0.5), 0);
    EXPECT_EQ(General::RoundToLong(-2147483648.5), INT32_MIN);
    for (double value : {2147483647.5, -2147483649.0, std::nan(""), HUGE_VAL})
        EXPECT_EQ(ErrorNumberOf([&] { General::RoundToLong(value); }), ErrorNumber::Overflow) << value;
}

TEST(GeneralSingle, RoundsToNearestFloatAndOverflowsBeyondItsRange) {
    EXPECT_EQ(General::TextToSingle(" -25.5 "), -25.5f);
    EXPECT_EQ(General::TextToSingle("16777217"), 16777216.0f);  // a tie goes to the even float
    EXPECT_EQ(General::TextToSingle("340282356779733661637539395458142568447"), FLT_MAX);
    EXPECT_EQ(General::TextToSingle("0." + std::string(60, '0') + "1"), 0.0f);
    for (const char* text : {"340282356779733661637539395458142568448", "-1000000000000000000000000000000000000000"})
        EXPECT_EQ(ErrorNumberOf([&] { General::TextToSingle(text); }), ErrorNumber::Overflow) << text;
    EXPECT_EQ(ErrorNumberOf([] { General::TextToSingle("1e39"); }), ErrorNumber::TypeMismatch);
}

TEST(GeneralNumericValue, ReadsTheLeadingNumber) {
    const std::string zeros(400, '0');
    const std::pair<std::string, double> cases[] = {
        {"1440abc", 1440}, {"  -60", -60}, {"abc", 0}, {"", 0}, {"1e3x", 1000}, {"1e", 1},
        {"1e+", 1}, {"2E-2", 0.02}, {"+.5", 0.5}, {"-", 0}, {".", 0}, {"1.2.3", 1.2}, {" 12 34", 12},
        {"7.e1", 70}, {"1e-999", 0}, {"-1e999", -HUGE_VAL}, {"1" + zeros + "e-10", HUGE_VAL},
        {"0." + zeros + "1e5", 0}, {"0." + zeros + "1e500", 1e99},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(General::NumericValue(text), value) << text;
}

TEST(GeneralSingleToText, PlainDecimalWithSevenSignificantDigits) {
    const std::pair<float, const char*> cases[] = {
        {12.35f, "12.35"}, {0.05f, "0.05"}, {1440.f, "1440"}, {-60.f, "-60"}, {1e10f, "10000000000"},
        {1.5e-8f, "0.000000015"}, {0.1f, "0.1"}, {16777216.f, "16777220"}, {-0.f, "0"},
        {1234567.5f, "1234568"}, {0.3333333f, "0.3333333"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(General::SingleToText(value), text) << text;
}

TEST(GeneralRoundToDecimals, CutsTheDecimalTextAndRoundsHalfUp) {
    struct Case { const char* text; int16_t digits; const char* result; };
    const Case cases[] = {
        {"12.25", 1, "12.3"}, {"12.24", 1, "12.2"}, {"0.05", 1, "0.1"}, {"2.95", 1, "3.0"},
        {"9.99", 1, "10.0"}, {".5", 1, "0.5"}, {".95", 1, "1.0"}, {"25.5", 1, "25.5"}, {"7.5", 2, "7.5"},
        {"12.345", 2, "12.35"}, {"2.2499999999999999", 1, "2.2"}, {"12.75", 0, "12"}, {"12.75", -3, "12"},
        {".5", 0, "0"}, {" +1.25 ", 1, "1.3"}, {"-2.25", 1, "-2.3"}, {"-0.04", 1, "0.0"},
        {"-9.96", 1, "-10.0"}, {"7", 1, "7"}, {" 5. ", 1, " 5. "}, {"abc", 1, "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(General::RoundToDecimals(std::string_view(c.text), c.digits), c.result) << c.text;
    EXPECT_EQ(General::RoundToDecimals(12.35f, 1), "12.4");
    EXPECT_EQ(General::RoundToDecimals(7.0f, 1), "7");
}

TEST(GeneralFormatOneDecimal, OneDigitEachSideOfThePoint) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "7.0"}, {".5", "0.5"}, {"12.3", "12.3"}, {"-0.5", "-0.5"}, {" 3 ", "3.0"}, {"5.", "5.0"},
        {"2.25", "2.3"}, {"-2.25", "-2.3"}, {"9.96", "10.0"}, {"2.249", "2.2"}, {"+004.5", "4.5"},
        {"-0.01", "0.0"}, {"abc", "abc"},
    };
    for (const auto& [text, result] : cases) EXPECT_EQ(General::FormatOneDecimal(text), result) << text;
}

TEST(GeneralNullTerminate, PreparesTextsForPlatformCalls) {
    EXPECT_EQ(General::NullTerminate("  C:\\x  ", true), std::string("C:\\x\0", 5));
    EXPECT_EQ(General::NullTerminate("  C:\\x  ", false), std::string("  C:\\x  \0", 9));
    EXPECT_EQ(General::NullTerminate("   ", true), std::nullopt);
    EXPECT_EQ(General::NullTerminate("", false), std::nullopt);
    EXPECT_EQ(General::NullTerminate(std::string_view("a\0b", 3), false), std::string("a\0b", 3));
}
