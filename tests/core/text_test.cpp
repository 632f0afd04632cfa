#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/text_utils.h"
#include "core/utf8.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(TextUtils, NumbersAndRepeats) {
    EXPECT_EQ(IntText(-42), "-42");
    EXPECT_EQ(IntTextPadded(7, 3), "  7");
    EXPECT_EQ(IntTextPadded(1234, 3), "1234");
    EXPECT_EQ(RepeatChar("=", 4), "====");
    EXPECT_EQ(Blanks(3), "   ");
    EXPECT_EQ(SeparatorLine(2), "\u00AD\u00AD");
    EXPECT_EQ(Utf8ToCp1252(SeparatorLine(3)), "\xAD\xAD\xAD");
}

TEST(TextUtils, Trimming) {
    EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(TrimWhitespace("\t a b \r\n"), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(RemoveBlanks(" Ácido  nítrico "), "Ácidonítrico");
}

TEST(TextUtils, InsertSortedKeepsAscendingOrder) {
    std::string s = "\x01\x08";
    EXPECT_EQ(InsertSorted('\x06', s), 2u);
    EXPECT_EQ(s, "\x01\x06\x08");
    EXPECT_EQ(InsertSorted('\x09', s), 4u);
    EXPECT_EQ(InsertSorted('\x00', s), 1u);
}

TEST(TextUtils, PositionsCountCharacters) {
    EXPECT_EQ(LastPos("a", "banana"), 6u);
    EXPECT_EQ(LastPos("x", "banana"), 0u);
    EXPECT_EQ(LastPos("o", "óxido"), 5u);
    EXPECT_EQ(ReverseText("año"), "oña");
}

TEST(TextUtils, Replacing) {
    EXPECT_EQ(ReplaceFirst("a,b,c", ",", "."), "a.b,c");
    EXPECT_EQ(ReplaceAll("a,b,c", ",", "."), "a.b.c");
    EXPECT_EQ(ReplaceAll("a    b", "  ", " "), "a b");  // repeated until nothing changes
    EXPECT_EQ(ReplaceAll("a.b", ".", ".."), "a..b");    // would never settle: once each
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(TextUtils, StripAccentsGivesPlainLowerCaseVowels) {
    EXPECT_EQ(StripAccents("ÀÁàáÈÉèéÍÏíïÒÓòóÚÜúü"), "aaaaeeeeiiiioooouuuu");
    EXPECT_EQ(StripAccents("Óxidos ñ Çç"), "oxidos ñ Çç");
    EXPECT_EQ(RemoveBlanks(StripAccents("Combustión del metano")), "Combustiondelmetano");
}

TEST(TextUtils, ParenthesisedPrefixCountsNesting) {
    EXPECT_EQ(ParenthesisedPrefix("(a(b)c)d"), "(a(b)c)");
    EXPECT_EQ(ParenthesisedPrefix("(ab"), "(ab");
    EXPECT_EQ(ParenthesisedPrefix("ab)"), "");
}

TEST(Utf8, CutsByCharacters) {
    EXPECT_EQ(Utf8Length("Nitrógeno"), 9u);
    EXPECT_EQ(Utf8Prefix("óó", 1), "ó");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf8Chars("a\xff"
                        "b")
                  .size(),
              3u);  // a stray byte is a character of its own
}

TEST(Cp1252, RoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xf1"), "€ñ");
    EXPECT_EQ(Utf8ToCp1252("€ → ñ"), "\x80 ? \xf1");
}

TEST(Language, SelectsFromTheTriple) {
    const MessageTriple triple = {"ca", "en", "es"};
    EXPECT_EQ(LanguageIndex(), Language::Spanish);
    EXPECT_EQ(Select(triple), "es");
    SetLanguageIndex(Language::English);
    EXPECT_EQ(Select(triple), "en");
    SetLanguageIndex(Language::Spanish);
}

TEST(Messages, CaptionAndTextAreCutTo255Characters) {
    test::FakeUserPort port;
    const std::string longText(300, 'x');
    const std::string accented = std::string(254, 'a') + "óó";
    EXPECT_EQ(AskYesNoCancelWith(port, longText, accented, MessageIcon::Question), kAnswerNo);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, std::string(255, 'x'));
    EXPECT_EQ(port.messages[0].text, std::string(254, 'a') + "ó");
    EXPECT_EQ(port.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(Notice(port, "c", "t"), kAnswerOk);
}

}  // namespace
}  // namespace tovel
