#include <clocale>
#include <string>

#include "AnsiCodePage.h"
#include "TempWorkDir.h"

namespace {

struct FromWideCase {
    const char* name;
    const char* codeSet;
    std::u16string wide;
    std::string bytes;
};

class FromWideTest : public TempWorkDir, public ::testing::WithParamInterface<FromWideCase> {};

TEST_P(FromWideTest, ConvertsAndMarksUnrepresentable)
{
    const FromWideCase& c = GetParam();
    AnsiCodePage::SetCodeSet(c.codeSet);
    EXPECT_EQ(AnsiCodePage::FromWide(c.wide), c.bytes);
}

const std::u16string kLoneHigh(1, u'\xD83D');
const std::u16string kLoneLow(1, u'\xDE00');

INSTANTIATE_TEST_SUITE_P(
    CodeSets, FromWideTest,
    ::testing::Values(
        FromWideCase{"Ascii1252", "WINDOWS-1252", u"Ready", "Ready"},
        FromWideCase{"Latin1252", "WINDOWS-1252", u"caf\u00E9 \u20AC", "caf\xE9 \x80"},
        FromWideCase{"Greek1252", "WINDOWS-1252", u"a\u03A9b", "a?b"},
        FromWideCase{"PairIsOneCharacter1252", "WINDOWS-1252", u"x\U0001F600y", "x?y"},
        FromWideCase{"LoneHighSurrogateAtEnd1252", "WINDOWS-1252", u"x" + kLoneHigh, "x?"},
        FromWideCase{"LoneLowSurrogate1252", "WINDOWS-1252", kLoneLow + u"x", "?x"},
        FromWideCase{"ManyUnrepresentable1252", "WINDOWS-1252", std::u16string(1000, u'\u4E2D'),
                     std::string(1000, '?')},
        FromWideCase{"LongLatin1252", "WINDOWS-1252", std::u16string(5000, u'\u00FC'),
                     std::string(5000, '\xFC')},
        FromWideCase{"EuroNotInLatin1", "ISO-8859-1", u"\u20AC\u00E9", "?\xE9"},
        FromWideCase{"Utf8", "UTF-8", u"\u00E9\U0001F600", "\xC3\xA9\xF0\x9F\x98\x80"},
        FromWideCase{"LoneSurrogateUtf8", "UTF-8", u"a" + kLoneLow + u"b", "a?b"},
        FromWideCase{"UnknownCodeSetKeepsAscii", "NO-SUCH-CODE-SET", u"ab\u00E9", "ab?"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ToWideCase {
    const char* name;
    const char* codeSet;
    std::string bytes;
    bool valid;
    std::u16string wide;  // of a valid text
};

class ToWideTest : public TempWorkDir, public ::testing::WithParamInterface<ToWideCase> {};

TEST_P(ToWideTest, ConvertsOrRefuses)
{
    const ToWideCase& c = GetParam();
    AnsiCodePage::SetCodeSet(c.codeSet);
    bool ok = !c.valid;

    EXPECT_EQ(AnsiCodePage::ToWide(c.bytes, &ok), c.valid ? c.wide : u"");
    EXPECT_EQ(ok, c.valid);
}

INSTANTIATE_TEST_SUITE_P(
    CodeSets, ToWideTest,
    ::testing::Values(ToWideCase{"Latin1252", "WINDOWS-1252", "caf\xE9 \x80", true, u"caf\u00E9 \u20AC"},
                      ToWideCase{"Empty1252", "WINDOWS-1252", "", true, u""},
                      ToWideCase{"Undefined1252Byte", "WINDOWS-1252", "a\x81", false, u""},
                      ToWideCase{"Utf8", "UTF-8", "\xC3\xA9", true, u"\u00E9"},
                      ToWideCase{"TruncatedUtf8", "UTF-8", "a\xC3", false, u""},
                      ToWideCase{"UnknownCodeSetRefusesNonAscii", "NO-SUCH-CODE-SET", "\xE9", false, u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TempWorkDir, CodeSetFollowsTheLocaleUnlessSet)
{
    AnsiCodePage::SetCodeSet("");
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    struct LocaleCase {
        const char* locale;
        const char* codeSet;
    };
    for (const LocaleCase& c : {LocaleCase{"C", "WINDOWS-1252"}, LocaleCase{"POSIX", "WINDOWS-1252"},
                                LocaleCase{"C.UTF-8", "UTF-8"}}) {
        ASSERT_NE(std::setlocale(LC_CTYPE, c.locale), nullptr) << c.locale;
        EXPECT_EQ(AnsiCodePage::CodeSet(), c.codeSet) << c.locale;
    }
    AnsiCodePage::SetCodeSet("ISO-8859-15");
    EXPECT_EQ(AnsiCodePage::CodeSet(), "ISO-8859-15");
    EXPECT_EQ(AnsiCodePage::FromWide(u"\u20AC"), "\xA4");
    AnsiCodePage::SetCodeSet("");
    EXPECT_EQ(AnsiCodePage::CodeSet(), "UTF-8");
    std::setlocale(LC_CTYPE, previous.c_str());
}

}  // namespace
