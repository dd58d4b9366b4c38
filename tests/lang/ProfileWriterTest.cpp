#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "AnsiCodePage.h"
#include "CLangIni.h"
#include "ProfileFile.h"
#include "ProfileWriter.h"
#include "TempWorkDir.h"

namespace fs = std::filesystem;

namespace {

struct EditCase {
    const char* name;
    std::string before;
    std::string after;
};

class ProfileEditTest : public TempWorkDir, public ::testing::WithParamInterface<EditCase> {};

// Every case writes langsel=3 into LanguageSel.
TEST_P(ProfileEditTest, ChangesOnlyTheKey)
{
    const EditCase& c = GetParam();
    std::string edited;

    ASSERT_TRUE(ProfileWriter::Edit(c.before, u"LanguageSel", u"langsel", u"3", edited));

    EXPECT_EQ(edited, c.after);
    EXPECT_EQ(ProfileFile::Parse(edited).ReadString(u"LanguageSel", u"langsel"), u"3");
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ProfileEditTest,
    ::testing::Values(
        EditCase{"UpdatesInPlaceKeepingCommentsAndCrLf",
                 "; languages\r\n[LanguageSel]\r\n; the choice\r\nlangsel=1\r\n[X]\r\nk=v\r\n",
                 "; languages\r\n[LanguageSel]\r\n; the choice\r\nlangsel=3\r\n[X]\r\nk=v\r\n"},
        EditCase{"KeepsSpellingAndBlanksOfTheLine", "[languagesel]\n  LangSel =\t12  \n",
                 "[languagesel]\n  LangSel =\t3  \n"},
        EditCase{"ReplacesAQuotedValue", "[LanguageSel]\nlangsel=\"1\"\n", "[LanguageSel]\nlangsel=3\n"},
        EditCase{"FillsAnEmptyValue", "[LanguageSel]\nlangsel=\n", "[LanguageSel]\nlangsel=3\n"},
        EditCase{"UpdatesTheFirstOfDuplicateKeys", "[LanguageSel]\nlangsel=1\nlangsel=2\n",
                 "[LanguageSel]\nlangsel=3\nlangsel=2\n"},
        EditCase{"UpdatesTheFirstOfRepeatedSections",
                 "[LanguageSel]\nother=1\n[LanguageSel]\nlangsel=2\n",
                 "[LanguageSel]\nother=1\nlangsel=3\n[LanguageSel]\nlangsel=2\n"},
        EditCase{"AddsTheKeyAfterTheLastKeyOfItsSection",
                 "[LanguageSel]\na=1\n; note\nb=2\n\n; next\n[X]\n",
                 "[LanguageSel]\na=1\n; note\nb=2\nlangsel=3\n\n; next\n[X]\n"},
        EditCase{"AddsTheKeyAfterAHeaderWithoutKeys", "[LanguageSel]\r\n\r\n[X]\r\n",
                 "[LanguageSel]\r\nlangsel=3\r\n\r\n[X]\r\n"},
        EditCase{"AddsTheKeyToALastLineWithoutEnding", "[LanguageSel]\na=1",
                 "[LanguageSel]\na=1\nlangsel=3"},
        EditCase{"AppendsAMissingSection", "[A]\r\nk=1\r\n",
                 "[A]\r\nk=1\r\n[LanguageSel]\r\nlangsel=3\r\n"},
        EditCase{"AppendsAfterALastLineWithoutEnding", "[A]\rk=1",
                 "[A]\rk=1\r[LanguageSel]\rlangsel=3\r"},
        EditCase{"AppendsToAnEmptyFile", "", "[LanguageSel]\r\nlangsel=3\r\n"},
        EditCase{"KeepsTheUtf8Mark", "\xEF\xBB\xBF[A]\nk=\xC3\xA9\n",
                 "\xEF\xBB\xBF[A]\nk=\xC3\xA9\n[LanguageSel]\nlangsel=3\n"},
        EditCase{"KeepsCodePageBytes", "[Fran\xE7" "ais]\nk=\xE9\x81\n[LanguageSel]\nlangsel=1\n",
                 "[Fran\xE7" "ais]\nk=\xE9\x81\n[LanguageSel]\nlangsel=3\n"},
        EditCase{"KeepsUtf16LittleEndian",
                 Utf16Le(u"; \u00E9\r\n[LanguageSel]\r\nlangsel=1\r\n[X]\r\n"),
                 Utf16Le(u"; \u00E9\r\n[LanguageSel]\r\nlangsel=3\r\n[X]\r\n")},
        EditCase{"AppendsToUtf16LittleEndian", Utf16Le(u"[A]\r\nk=\u00FC\r\n"),
                 Utf16Le(u"[A]\r\nk=\u00FC\r\n[LanguageSel]\r\nlangsel=3\r\n")},
        EditCase{"KeepsUtf16BigEndian", Utf16Be(u"[LanguageSel]\nx=1\n"),
                 Utf16Be(u"[LanguageSel]\nx=1\nlangsel=3\n")}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    std::string before;
    std::u16string section;
    std::u16string key;
    std::u16string value;
};

class RefusedEditTest : public TempWorkDir, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedEditTest, WritesNothing)
{
    const RefusedCase& c = GetParam();
    std::string edited;
    EXPECT_FALSE(ProfileWriter::Edit(c.before, c.section, c.key, c.value, edited));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedEditTest,
    ::testing::Values(
        RefusedCase{"ValueWithLineBreak", "[A]\n", u"A", u"k", u"1\n[B]"},
        RefusedCase{"SectionWithBracket", "[A]\n", u"A]x", u"k", u"1"},
        RefusedCase{"KeyWithEquals", "[A]\n", u"A", u"k=j", u"1"},
        RefusedCase{"EmptyKey", "[A]\n", u"A", u"", u"1"},
        RefusedCase{"EmptySection", "[A]\n", u"", u"k", u"1"},
        RefusedCase{"DamagedUtf16", Utf16Le(u"[A]\r\nk=1\r\n") + "x", u"A", u"k", u"2"}),
    [](const auto& info) { return std::string(info.param.name); });

class ProfileWriterTest : public TempWorkDir {};

TEST_F(ProfileWriterTest, ReplacesTheFileAtomically)
{
    const std::string before = "[LanguageSel]\r\nlangsel=1\r\n";
    WriteLangIni(before);
    ASSERT_EQ(chmod(LangIniPath().c_str(), 0640), 0);
    struct stat old {};
    ASSERT_EQ(stat(LangIniPath().c_str(), &old), 0);
    int oldFile = open(LangIniPath().c_str(), O_RDONLY);
    ASSERT_GE(oldFile, 0);

    ASSERT_TRUE(ProfileWriter::WriteString(LangIniPath(), u"LanguageSel", u"langsel", u"2"));

    // A reader that had the file open still sees the whole old content: the
    // new file took the old one's place instead of overwriting it.
    std::string seen(before.size() + 8, '\0');
    ssize_t got = pread(oldFile, seen.data(), seen.size(), 0);
    close(oldFile);
    EXPECT_EQ(seen.substr(0, static_cast<size_t>(std::max<ssize_t>(got, 0))), before);
    struct stat now {};
    ASSERT_EQ(stat(LangIniPath().c_str(), &now), 0);
    EXPECT_NE(now.st_ino, old.st_ino);
    EXPECT_EQ(now.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(LangIniPath()), "[LanguageSel]\r\nlangsel=2\r\n");
    EXPECT_EQ(FolderEntries("config"), std::vector<std::string>{"lang.ini"});
}

TEST_F(ProfileWriterTest, WritesTheFileBehindASymbolicLink)
{
    fs::create_directory("config");
    WriteFile("real.ini", "[LanguageSel]\nlangsel=1\n");
    fs::create_symlink(fs::current_path() / "real.ini", LangIniPath());

    ASSERT_TRUE(ProfileWriter::WriteString(LangIniPath(), u"LanguageSel", u"langsel", u"2"));

    EXPECT_TRUE(fs::is_symlink(LangIniPath()));
    EXPECT_EQ(ReadFile("real.ini"), "[LanguageSel]\nlangsel=2\n");
}

struct FailedWriteCase {
    const char* name;
    void (*prepare)();
};

class FailedWriteTest : public TempWorkDir, public ::testing::WithParamInterface<FailedWriteCase> {};

const std::string kBefore = "[LanguageType]\n0=A\n1=end\n[LanguageSel]\nlangsel=0\n";

// A failed write is silent: the selection in memory changes, the file does not,
// and nothing is left beside it.
TEST_P(FailedWriteTest, LosesNothing)
{
    fs::create_directory("config");
    GetParam().prepare();
    const bool fileBefore = fs::is_regular_file(LangIniPath());
    const auto entriesBefore = FolderEntries("config");
    CLangIni::SetMissingFileHandler([] {});
    CLangIni ini;

    ini.SaveLangSel(4);

    CLangIni::SetMissingFileHandler(nullptr);
    EXPECT_EQ(ini.m_nLangSel, 4);
    EXPECT_EQ(FolderEntries("config"), entriesBefore);
    if (fileBefore) {
        EXPECT_EQ(ReadFile(LangIniPath()), kBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedWriteTest,
    ::testing::Values(
        FailedWriteCase{"ReadOnlyFile",
                        [] {
                            TempWorkDir::WriteLangIni(kBefore);
                            chmod(TempWorkDir::LangIniPath().c_str(), 0444);
                        }},
        FailedWriteCase{"ReadOnlyFolder",
                        [] {
                            TempWorkDir::WriteLangIni(kBefore);
                            chmod("config", 0555);
                        }},
        FailedWriteCase{"FolderNamedLangIni", [] { fs::create_directory(TempWorkDir::LangIniPath()); }},
        FailedWriteCase{"MissingFileIsNotCreated", [] {}},
        FailedWriteCase{"DanglingLinkIsNotFollowed",
                        [] { fs::create_symlink("/nonexistent/lang.ini", TempWorkDir::LangIniPath()); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
