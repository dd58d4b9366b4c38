#include <sys/stat.h>

#include <filesystem>

#include "ProfileFile.h"
#include "TempWorkDir.h"

namespace {

struct SyntaxCase {
    const char* name;
    std::string file;
    std::u16string section;
    std::u16string key;
    std::u16string expected;
};

class ProfileSyntaxTest : public TempWorkDir, public ::testing::WithParamInterface<SyntaxCase> {};

TEST_P(ProfileSyntaxTest, ReadsValue)
{
    const SyntaxCase& c = GetParam();
    EXPECT_EQ(ProfileFile::Parse(c.file).ReadString(c.section, c.key), c.expected);
}

std::u16string Repeat(char16_t unit, size_t count) { return std::u16string(count, unit); }

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileSyntaxTest,
    ::testing::Values(
        SyntaxCase{"SectionNameIgnoresCase", "[LanguageSel]\nlangsel=1\n", u"LANGUAGESEL", u"langsel", u"1"},
        SyntaxCase{"KeyNameIgnoresCase", "[A]\nLangSel=1\n", u"a", u"LANGSEL", u"1"},
        SyntaxCase{"NonAsciiNameIgnoresCase", "[FRAN\xC3\x87" "AIS]\nk=1\n", u"Fran\u00E7ais", u"k", u"1"},
        SyntaxCase{"CyrillicNameIgnoresCase", "[\xD0\xA0\xD0\xA3\xD0\xA1]\nk=1\n", u"\u0440\u0443\u0441", u"k", u"1"},
        SyntaxCase{"BlanksAroundKeyAndValueDropped", "[A]\n \t k \t= \t v w \t\n", u"A", u"k", u"v w"},
        SyntaxCase{"BlanksInsideBracketsDropped", "  [ \t My Lang \t]  \nk=1\n", u"My Lang", u"k", u"1"},
        SyntaxCase{"DoubleQuotesStripped", "[A]\nk= \" v \" \n", u"A", u"k", u" v "},
        SyntaxCase{"SingleQuotesStripped", "[A]\nk='v'\n", u"A", u"k", u"v"},
        SyntaxCase{"OnlyOnePairStripped", "[A]\nk=\"\"v\"\"\n", u"A", u"k", u"\"v\""},
        SyntaxCase{"MismatchedQuotesKept", "[A]\nk=\"v'\n", u"A", u"k", u"\"v'"},
        SyntaxCase{"LoneQuoteKept", "[A]\nk=\"\n", u"A", u"k", u"\""},
        SyntaxCase{"InnerQuotesKept", "[A]\nk=a \"b\"\n", u"A", u"k", u"a \"b\""},
        SyntaxCase{"SemicolonLineIsAComment", "[A]\n  ; [B]\nk=1\n", u"A", u"k", u"1"},
        SyntaxCase{"CommentOpensNoSection", "[A]\n; [B]\nk=1\n", u"B", u"k", u""},
        SyntaxCase{"CommentLineHoldsNoKey", "[A]\n;k=1\n", u"A", u";k", u""},
        SyntaxCase{"HashIsNoComment", "[A]\n#k=1\n", u"A", u"#k", u"1"},
        SyntaxCase{"NoCommentAfterValue", "[A]\nk=1 ; note\n", u"A", u"k", u"1 ; note"},
        SyntaxCase{"SectionNameEndsAtFirstBracket", "[a]b]\nk=1\n", u"a", u"k", u"1"},
        SyntaxCase{"EqualsSignInValueKept", "[A]\nk=a=b\n", u"A", u"k", u"a=b"},
        SyntaxCase{"FirstDuplicateKeyWins", "[A]\nk=1\nK=2\n", u"A", u"k", u"1"},
        SyntaxCase{"RepeatedSectionIgnored", "[A]\nk=1\n[B]\n[a]\nk=2\n", u"A", u"k", u"1"},
        SyntaxCase{"KeysOfRepeatedSectionIgnored", "[A]\nk=1\n[A]\nj=2\n", u"A", u"j", u""},
        SyntaxCase{"CrLfEndsLines", "[A]\r\nk=1\r\nj=2\r\n", u"A", u"j", u"2"},
        SyntaxCase{"CrEndsLines", "[A]\rk=1\rj=2", u"A", u"j", u"2"},
        SyntaxCase{"MixedLineEnds", "[A]\rk=1\r\n\nj=2\n", u"A", u"j", u"2"},
        SyntaxCase{"NoFinalLineEnd", "[A]\nk=last", u"A", u"k", u"last"},
        SyntaxCase{"ValueCutTo259", "[A]\nk=" + std::string(300, 'x') + "\n", u"A", u"k", Repeat(u'x', 259)},
        SyntaxCase{"CutDropsHalfASurrogatePair",
                   "[A]\nk=" + std::string(258, 'x') + "\xF0\x9F\x98\x80" + "\n", u"A", u"k", Repeat(u'x', 258)},
        SyntaxCase{"ValueEndsAtNul", std::string("[A]\nk=ab\0cd\n", 11), u"A", u"k", u"ab"},
        SyntaxCase{"AbsentKeyEmpty", "[A]\nk=1\n", u"A", u"j", u""},
        SyntaxCase{"AbsentSectionEmpty", "[A]\nk=1\n", u"B", u"k", u""},
        SyntaxCase{"EmptySectionNameEmpty", "[]\nk=1\n", u"", u"k", u""},
        SyntaxCase{"KeyBeforeAnySectionIgnored", "k=1\n[A]\n", u"A", u"k", u""},
        SyntaxCase{"LineWithoutEqualsIgnored", "[A]\nk\nk=1\n", u"A", u"k", u"1"},
        SyntaxCase{"UnclosedBracketOpensNoSection", "[A]\n[B\nk=1\n", u"A", u"k", u"1"},
        SyntaxCase{"Utf16OddLastByteDropped", Utf16Le(u"[A]\r\nk=1") + "\x32", u"A", u"k", u"1"},
        SyntaxCase{"InvalidUtf8ReadInCodePage", "[A]\nk=caf\xE9\n", u"A", u"k", u"caf\u00E9"},
        SyntaxCase{"UndefinedCodePageByteReplaced", "[A]\nk=a\x81" "b\n", u"A", u"k", u"a\uFFFDb"},
        SyntaxCase{"BomOnlyInFirstPlace", "\xEF\xBB\xBF[A]\nk=\xEF\xBB\xBF\n", u"A", u"k", u"\uFEFF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TempWorkDir, UnreadablePathsReadAsEmpty)
{
    namespace fs = std::filesystem;
    fs::create_directory("folder.ini");
    ASSERT_EQ(mkfifo("pipe.ini", 0600), 0);
    WriteFile("file.ini", "[A]\nk=1\n");

    // A pipe must not make the reader wait for a writer.
    for (const char* path : {"missing.ini", "folder.ini", "pipe.ini"})
        EXPECT_EQ(ProfileFile::ReadString(path, u"A", u"k"), u"") << path;
    EXPECT_EQ(ProfileFile::ReadString("file.ini", u"A", u"k"), u"1");
}

}  // namespace
