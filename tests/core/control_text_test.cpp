#include <gtest/gtest.h>

#include <clocale>

#include "core/control_text.h"

namespace tovel {
namespace {

TEST(ControlText, ReadsNumbersWithAnErrorFlag) {
    int error = -1;
    EXPECT_EQ(ReadReal("", error), 0.0);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadReal("  2.5 ", error), 2.5);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadReal("+1e3", error), 1000.0);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadReal("-0.25", error), -0.25);
    EXPECT_EQ(ReadReal(" 1,04 ", error), 1.04);  // the decimal comma
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadReal("-2,5e1", error), -25.0);
    for (const char* bad : {"abc", "1,000.5", "1,2,3", ",", "1.2.3", "inf", "nan", "3 g", "--1"}) {
        ReadReal(bad, error);
        EXPECT_EQ(error, 1) << bad;
    }
    EXPECT_EQ(ReadInteger(" 42", error), 42);
    EXPECT_EQ(error, 0);
    ReadInteger("4.2", error);
    EXPECT_EQ(error, 1);
    ReadInteger("99999999999999999999999", error);
    EXPECT_EQ(error, 1);
}

TEST(ControlText, DecimalPointWhateverTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "es_ES.UTF-8") && !std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP()
            << "no locale with a decimal comma on this machine (scripts/test makes es_ES.UTF-8)";
    }
    int error = 0;
    EXPECT_EQ(ReadReal("1.5", error), 1.5);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadReal("1,5", error), 1.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ControlText, SplitsItemListsSkippingEmptyItems) {
    EXPECT_EQ(SplitItems("atm;kPa"), (std::vector<std::string>{"atm", "kPa"}));
    EXPECT_EQ(SplitItems("°C;;°K;"), (std::vector<std::string>{"°C", "°K"}));
    EXPECT_TRUE(SplitItems("").empty());
    EXPECT_TRUE(SplitItems(";;").empty());
}

}  // namespace
}  // namespace tovel
