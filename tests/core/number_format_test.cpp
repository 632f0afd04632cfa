#include <gtest/gtest.h>

#include <clocale>

#include "core/number_format.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

struct Case {
    double value;
    unsigned digits;
    const char* expected;
};
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.value << " with " << c.digits << " figures";
}

class FormatSignificantTest : public ::testing::TestWithParam<Case> {};

TEST_P(FormatSignificantTest, MatchesTheListedResults) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatSignificant(c.value, c.digits), c.expected) << c.value << " d=" << c.digits;
}

INSTANTIATE_TEST_SUITE_P(
    Listed, FormatSignificantTest,
    ::testing::Values(Case{0.0005, 3, "5.00E-4"}, Case{0.0123, 3, "1.23E-2"},
                      Case{0.0999, 3, "9.99E-2"}, Case{0.09996, 3, "0.100"}, Case{0.5, 3, "0.500"},
                      Case{0.9996, 3, "1.00"}, Case{1.5, 3, "1.50"}, Case{22.4, 3, "22.4"},
                      Case{99.96, 3, "100"}, Case{123.4, 3, "123"}, Case{1234, 3, "1.23E3"},
                      Case{-2.5, 3, "-2.50"}, Case{0, 3, "0.000"}, Case{99.996, 4, "100.0"},
                      Case{999.96, 4, "1000"}, Case{9.9996, 4, "10.00"}),
    [](const auto& info) { return test::CaseName(info.param.expected, info.index); });

INSTANTIATE_TEST_SUITE_P(
    More, FormatSignificantTest,
    ::testing::Values(Case{123456, 3, "1.23E5"}, Case{1.5e-12, 3, "1.50E-12"},
                      Case{0.0009996, 3, "1.00E-3"}, Case{999.6, 3, "1.00E3"},
                      Case{9.996, 3, "10.0"}, Case{1.005, 3, "1.01"}, Case{18.015, 6, "18.0150"},
                      Case{891.5008, 6, "891.501"}, Case{-0.0123, 3, "-1.23E-2"},
                      Case{12.011, 4, "12.01"}, Case{6.022e23, 4, "6.022E23"},
                      Case{1e308, 3, "1.00E308"}, Case{5e-324, 3, "4.94E-324"}),
    [](const auto& info) { return test::CaseName(info.param.expected, info.index); });

TEST(FormatSignificant, NeverWritesPlusOrPaddedExponents) {
    for (double v : {1e5, 1e-12, 3.3e100, 2.2e-200}) {
        const std::string text = FormatSignificant(v, 3);
        EXPECT_EQ(text.find('+'), std::string::npos) << text;
        EXPECT_EQ(text.find("E0"), std::string::npos) << text;
        EXPECT_EQ(text.find("E-0"), std::string::npos) << text;
    }
}

TEST(FormatSignificant, IgnoresTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "es_ES.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP()
            << "no locale with a decimal comma on this machine (scripts/test makes es_ES.UTF-8)";
    }
    EXPECT_EQ(FormatSignificant(1.5, 3), "1.50");
    EXPECT_EQ(FormatReal(12.011, 5, 3), "12.011");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FormatSignificantShort, DropsTrailingZerosOfTheMantissa) {
    EXPECT_EQ(FormatSignificantShort(1.5, 3), "1.5");
    EXPECT_EQ(FormatSignificantShort(2, 3), "2");
    EXPECT_EQ(FormatSignificantShort(0.0012, 3), "1.2E-3");
    EXPECT_EQ(FormatSignificantShort(0.5, 3), "0.5");
    EXPECT_EQ(FormatSignificantShort(100, 3), "100");
    EXPECT_EQ(FormatSignificantShort(1000, 3), "1E3");
    EXPECT_EQ(FormatSignificantShort(0, 3), "0");
}

TEST(FormatReal, TrimsZerosAndSwitchesToExponents) {
    EXPECT_EQ(FormatReal(12.011, 5, 3), "12.011");
    EXPECT_EQ(FormatReal(16.000, 5, 3), "16");
    EXPECT_EQ(FormatReal(0.5, 5, 3), "0.5");
    EXPECT_EQ(FormatReal(123456.7, 1, 2), "1.23e5");
    EXPECT_EQ(FormatReal(1.008, 5, 2), " 1.01");
    EXPECT_EQ(FormatReal(238.03, 5, 2), "238.03");
    EXPECT_EQ(FormatReal(0.0000004, 3, 2), "0");  // below the six decimals
    // A wide field or a sign does not push an ordinary value into the exponent form.
    EXPECT_EQ(FormatReal(12.5, 10, 2), "     12.5");
    EXPECT_EQ(FormatReal(-123456.7, 1, 2), "-1.23e5");
    EXPECT_EQ(FormatReal(100, 1, 0), "100");
}

TEST(FormatFixed, RightAlignsWithTheGivenDecimals) {
    EXPECT_EQ(FormatFixed(1.008, 3, 3), "1.008");
    EXPECT_EQ(FormatFixed(12.0107, 3, 3), "12.011");
    EXPECT_EQ(FormatFixed(-2.5, 7, 2), "  -2.50");
}

}  // namespace
}  // namespace tovel

namespace tovel {
namespace {

// The working of empirical formulas: fixed point where a student writes it so, with its figures.
TEST(FormatWorking, FixedPointWhereAStudentWritesIt) {
    EXPECT_EQ(FormatWorking(0.09998, 4), "0.09998");
    EXPECT_EQ(FormatWorking(249.66, 4), "249.7");
    EXPECT_EQ(FormatWorking(9.99996, 4), "10.00");
    EXPECT_EQ(FormatWorking(6, 4), "6.000");
    EXPECT_EQ(FormatWorking(0.00012345, 3), "0.000123");
    EXPECT_EQ(FormatWorking(1e-9, 4), "1.000E-9");
    EXPECT_EQ(FormatWorking(1e9, 4), "1.000E9");
    EXPECT_EQ(FormatWorking(-2.5, 2), "-2.5");
}

}  // namespace
}  // namespace tovel
