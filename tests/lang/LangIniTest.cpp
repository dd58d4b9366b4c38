#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "AnsiCodePage.h"
#include "CLangIni.h"
#include "TempWorkDir.h"

namespace fs = std::filesystem;

namespace {

class LangIniTest : public TempWorkDir {
protected:
    void SetUp() override
    {
        TempWorkDir::SetUp();
        CLangIni::SetMissingFileHandler([this] { ++m_missingFileReports; });
    }
    void TearDown() override
    {
        CLangIni::SetMissingFileHandler(nullptr);
        TempWorkDir::TearDown();
    }

    int m_missingFileReports = 0;
};

TextMap Table(std::initializer_list<std::pair<const int, std::string>> entries) { return entries; }

TextMap EmptyTexts(int count)
{
    TextMap table;
    for (int i = 0; i < count; ++i)
        table[i] = "";
    return table;
}

TEST_F(LangIniTest, WorkedExampleLoadsToTheModel)
{
    WriteLangIni(
        "[LanguageType]\n0=English\n1=Simple English\n2=end\n"
        "[LanguageSel]\nlangsel=1\n"
        "[Param_Resolution]\nitem_num=4\n"
        "[English]\n0=Ready\n1=\n2=Connect\n3=end\n"
        "[Simple English]\n0=Ready now\n2=Connect the recorder\n");

    CLangIni ini;

    EXPECT_EQ(ini.m_nLoadState, 1);
    EXPECT_EQ(ini.m_mapLangName, Table({{0, "English"}, {1, "Simple English"}}));
    EXPECT_EQ(ini.m_nLangSel, 1);
    for (int row = 0; row < CLangIni::kParamSectionCount; ++row)
        EXPECT_EQ(ini.ItemCount(row), row == 0 ? 4 : 0) << "row " << row;
    EXPECT_EQ(ini.m_nResolutionNum, 4);
    ASSERT_EQ(ini.m_vecLangText.size(), 2u);
    EXPECT_EQ(ini.m_vecLangText[0], Table({{0, "Ready"}, {1, ""}, {2, "Connect"}}));
    TextMap simple = EmptyTexts(300);
    simple[0] = "Ready now";
    simple[2] = "Connect the recorder";
    EXPECT_EQ(ini.m_vecLangText[1], simple);
    EXPECT_EQ(&ini.SelectedText(), &ini.m_vecLangText[1]);
    EXPECT_GE(ini.m_vecLangText.capacity(), 512u);
    EXPECT_EQ(m_missingFileReports, 0);
}

struct LanguageListCase {
    const char* name;
    const char* file;
    std::vector<std::string> languages;
    std::vector<size_t> tableSizes;
};

class LanguageListTest : public LangIniTest,
                         public ::testing::WithParamInterface<LanguageListCase> {};

TEST_P(LanguageListTest, LoadsLanguagesAndTables)
{
    const LanguageListCase& c = GetParam();
    WriteLangIni(c.file);

    CLangIni ini;

    TextMap expectedNames;
    for (size_t k = 0; k < c.languages.size(); ++k)
        expectedNames[static_cast<int>(k)] = c.languages[k];
    EXPECT_EQ(ini.m_mapLangName, expectedNames);
    ASSERT_EQ(ini.m_vecLangText.size(), c.tableSizes.size());
    for (size_t k = 0; k < c.tableSizes.size(); ++k) {
        EXPECT_EQ(ini.m_vecLangText[k].size(), c.tableSizes[k]) << "language " << k;
        if (c.languages[k].empty()) {  // an empty name names no section: all texts empty
            EXPECT_EQ(ini.m_vecLangText[k], EmptyTexts(300)) << "language " << k;
        }
    }
}

std::vector<size_t> TwoThen18Empty(size_t first, size_t second)
{
    std::vector<size_t> sizes(20, 300);
    sizes[0] = first;
    sizes[1] = second;
    return sizes;
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, LanguageListTest,
    ::testing::Values(
        LanguageListCase{"NoEndMarkGivesTwentyLanguages",
                         "[LanguageType]\n0=English\n1=Deutsch\n"
                         "[English]\n0=a\n1=end\n[Deutsch]\n0=b\n1=c\n2=end\n",
                         {"English", "Deutsch", "", "", "", "", "", "", "", "", "", "", "", "", "",
                          "", "", "", "", ""},
                         TwoThen18Empty(1, 2)},
        LanguageListCase{"EndAtKeyZeroGivesNoLanguage",
                         "[LanguageType]\n0=end\n1=English\n[English]\n0=a\n", {}, {}},
        LanguageListCase{"EndAtTextZeroGivesAnEmptyTableInItsPlace",
                         "[LanguageType]\n0=English\n1=Deutsch\n2=end\n"
                         "[English]\n0=end\n1=a\n[Deutsch]\n0=b\n1=end\n",
                         {"English", "Deutsch"}, {0, 1}},
        LanguageListCase{"AbsentSectionGives300EmptyTexts",
                         "[LanguageType]\n0=English\n1=end\n", {"English"}, {300}},
        LanguageListCase{"AbsentKeysBelowEndAreEmptyNames",
                         "[LanguageType]\n2=Deutsch\n3=end\n[Deutsch]\n0=end\n",
                         {"", "", "Deutsch"}, {300, 300, 0}},
        LanguageListCase{"OnlyLowercaseEndEndsTheList",
                         "[LanguageType]\n0=End\n1=END\n2=end.\n3=end\n"
                         "[End]\n0=end\n[END]\n0=end\n[end.]\n0=end\n",
                         {"End", "END", "end."}, {0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    std::string line;  // the value as written after "0="
    std::vector<std::string> texts;
};

class TextValueTest : public LangIniTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextValueTest, StoresTheText)
{
    const TextCase& c = GetParam();
    WriteLangIni("[LanguageType]\n0=L\n1=end\n[L]\n0=" + c.line + "\n1=after\n2=end\n");

    CLangIni ini;

    ASSERT_EQ(ini.m_vecLangText.size(), 1u);
    TextMap expected;
    for (size_t j = 0; j < c.texts.size(); ++j)
        expected[static_cast<int>(j)] = c.texts[j];
    EXPECT_EQ(ini.m_vecLangText[0], expected);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, TextValueTest,
    ::testing::Values(
        TextCase{"EmptyTextIsStoredAndDoesNotEnd", "", {"", "after"}},
        TextCase{"CapitalEndIsAText", "End", {"End", "after"}},
        TextCase{"UppercaseEndIsAText", "END", {"END", "after"}},
        TextCase{"EndWithDotIsAText", "end.", {"end.", "after"}},
        TextCase{"EndEndsTheTable", "end", {}},
        TextCase{"EndInBlanksEndsTheTable", "  end\t", {}},
        TextCase{"QuotedEndEndsTheTable", "\"end\"", {}},
        TextCase{"LongTextIsCutTo259", std::string(300, 'x'), {std::string(259, 'x'), "after"}},
        TextCase{"UnrepresentableCharactersBecomeQuestionMarks", "\xCE\xA9 \xE2\x82\xAC \xCF\x80",
                 {"? \x80 ?", "after"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
    const char* name;
    const char* langSelLine;  // nullptr: no langsel key
    int expected;
};

class LangSelNumberTest : public LangIniTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(LangSelNumberTest, ReadsAsDecimalNumber)
{
    const NumberCase& c = GetParam();
    std::string file = "[LanguageType]\n0=end\n[LanguageSel]\n";
    if (c.langSelLine != nullptr)
        file += std::string(c.langSelLine) + "\n";
    // item_num uses the same number rule.
    if (c.langSelLine != nullptr)
        file += "[Param_Gps]\nitem_num=" + std::string(c.langSelLine).substr(8) + "\n";
    WriteLangIni(file);

    CLangIni ini;

    EXPECT_EQ(ini.m_nLangSel, c.expected);
    EXPECT_EQ(ini.ReadLangSel(), c.expected);
    EXPECT_EQ(ini.m_nGpsNum, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, LangSelNumberTest,
    ::testing::Values(NumberCase{"DigitsThenLetters", "langsel=2x", 2},
                      NumberCase{"NoDigits", "langsel=abc", 0},
                      NumberCase{"AbsentKey", nullptr, 0},
                      NumberCase{"EmptyValue", "langsel=", 0},
                      NumberCase{"Negative", "langsel=-1", -1},
                      NumberCase{"PlusSign", "langsel=+3", 3},
                      NumberCase{"SignAlone", "langsel=-", 0},
                      NumberCase{"LeadingZeros", "langsel=007", 7},
                      NumberCase{"BlankAfterSignStops", "langsel=- 5", 0},
                      NumberCase{"TooLargeSaturates", "langsel=99999999999", INT_MAX},
                      NumberCase{"TooSmallSaturates", "langsel=-99999999999", INT_MIN}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LangIniTest, ItemCountsFollowTheParameterSectionOrder)
{
    // Written out of order and in other letter cases: only the names matter.
    WriteLangIni(
        "[LanguageType]\n0=end\n"
        "[param_pre_recording]\nitem_num=12\n[Param_Resolution]\nitem_num=1\n"
        "[Param_VideoSplitTime]\nitem_num=2\n[Param_Gps]\nitem_num=3\n"
        "[Param_SoundVolume]\nitem_num=4\n[PARAM_PHOTO_RESOLUTION]\nITEM_NUM=5\n"
        "[Param_Video_quality]\nitem_num=6\n[Param_Infrared]\nitem_num=7\n"
        "[Param_Recording_warning]\nitem_num=8\n[Param_Screen_save]\nitem_num=9\n"
        "[Param_Loop_record]\nitem_num=10\n[Param_Video_Codec_format]\nitem_num=11\n");

    CLangIni ini;

    const int members[] = {ini.m_nResolutionNum,     ini.m_nVideoSplitTimeNum, ini.m_nGpsNum,
                           ini.m_nSoundVolumeNum,    ini.m_nPhotoResolutionNum,
                           ini.m_nVideoQualityNum,   ini.m_nInfraredNum,
                           ini.m_nRecordingWarningNum, ini.m_nScreenSaveNum,
                           ini.m_nLoopRecordNum,     ini.m_nVideoCodecFormatNum,
                           ini.m_nPreRecordingNum};
    for (int row = 0; row < CLangIni::kParamSectionCount; ++row) {
        EXPECT_EQ(members[row], row + 1) << "row " << row;
        EXPECT_EQ(ini.ItemCount(row), row + 1) << "row " << row;
    }
    EXPECT_EQ(ini.ItemCount(-1), 0);
    EXPECT_EQ(ini.ItemCount(12), 0);
}

struct SaveCase {
    const char* name;
    int selection;
    const char* fileAfter;  // nullptr: the file is unchanged
    int langSelAfter;
};

class SaveLangSelTest : public LangIniTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveLangSelTest, WritesSelectionsBelowTwenty)
{
    const SaveCase& c = GetParam();
    const std::string before = "[LanguageType]\n0=A\n1=B\n2=end\n[LanguageSel]\nlangsel=1\n";
    WriteLangIni(before);
    CLangIni ini;

    ini.SaveLangSel(c.selection);

    EXPECT_EQ(ini.m_nLangSel, c.langSelAfter);
    EXPECT_EQ(ReadFile(LangIniPath()), c.fileAfter != nullptr ? c.fileAfter : before);
    EXPECT_EQ(ini.ReadLangSel(), c.langSelAfter);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, SaveLangSelTest,
    ::testing::Values(
        SaveCase{"TwentyChangesNothing", 20, nullptr, 1},
        SaveCase{"TwentyFiveChangesNothing", 25, nullptr, 1},
        SaveCase{"NineteenIsWrittenPastTheLanguages", 19,
                 "[LanguageType]\n0=A\n1=B\n2=end\n[LanguageSel]\nlangsel=19\n", 19},
        SaveCase{"MinusOneIsWritten", -1,
                 "[LanguageType]\n0=A\n1=B\n2=end\n[LanguageSel]\nlangsel=-1\n", -1},
        SaveCase{"ZeroIsWritten", 0,
                 "[LanguageType]\n0=A\n1=B\n2=end\n[LanguageSel]\nlangsel=0\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct SelectionCase {
    const char* name;
    const char* langSel;
    int effective;
};

class SelectionFallbackTest : public LangIniTest,
                              public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionFallbackTest, SelectsAnExistingTable)
{
    const SelectionCase& c = GetParam();
    WriteLangIni(std::string("[LanguageType]\n0=A\n1=B\n2=end\n[A]\n0=first\n1=end\n"
                             "[B]\n0=second\n1=end\n[LanguageSel]\nlangsel=") + c.langSel + "\n");

    CLangIni ini;

    ASSERT_EQ(ini.EffectiveLangSel(), c.effective);
    EXPECT_EQ(&ini.SelectedText(), &ini.m_vecLangText.at(static_cast<size_t>(c.effective)));
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, SelectionFallbackTest,
                         ::testing::Values(SelectionCase{"Stored", "1", 1},
                                           SelectionCase{"NegativeFallsBackToFirst", "-1", 0},
                                           SelectionCase{"PastTheListFallsBackToFirst", "2", 0},
                                           SelectionCase{"NineteenFallsBackToFirst", "19", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LangIniTest, NoLanguageSelectsAnEmptyTable)
{
    WriteLangIni("[LanguageType]\n0=end\n[LanguageSel]\nlangsel=0\n");

    CLangIni ini;

    EXPECT_EQ(ini.EffectiveLangSel(), -1);
    EXPECT_TRUE(ini.SelectedText().empty());
    EXPECT_TRUE(ini.m_vecLangText.empty());
}

TEST_F(LangIniTest, FolderNamedLangIniReadsAsEmptyKeys)
{
    fs::create_directories("config/lang.ini");

    EXPECT_TRUE(CLangIni::CheckIniFile());
    CLangIni ini;
    ini.SaveLangSel(3);

    EXPECT_EQ(m_missingFileReports, 0);
    EXPECT_EQ(ini.m_nLoadState, 1);
    EXPECT_EQ(ini.m_mapLangName.size(), 20u);
    for (const auto& [index, name] : ini.m_mapLangName)
        EXPECT_EQ(name, "") << index;
    ASSERT_EQ(ini.m_vecLangText.size(), 20u);
    EXPECT_EQ(ini.m_vecLangText[19], EmptyTexts(300));
    EXPECT_EQ(ini.m_nLangSel, 3);
    EXPECT_EQ(ini.ReadLangSel(), 0);
    EXPECT_TRUE(fs::is_directory("config/lang.ini"));
}

TEST_F(LangIniTest, MissingFileReportsAndCreatesConfigFolder)
{
    for (bool configExists : {false, true}) {
        SCOPED_TRACE(configExists ? "config exists" : "no config");
        fs::remove_all("config");
        if (configExists)
            fs::create_directory("config");
        m_missingFileReports = 0;

        EXPECT_FALSE(CLangIni::CheckIniFile());
        EXPECT_TRUE(fs::is_directory("config"));
        EXPECT_FALSE(fs::exists("config/lang.ini"));

        CLangIni ini;
        EXPECT_EQ(m_missingFileReports, 1);
        EXPECT_EQ(ini.m_nLoadState, 2);
        EXPECT_TRUE(ini.m_mapLangName.empty());
        EXPECT_TRUE(ini.m_vecLangText.empty());
        EXPECT_EQ(ini.EffectiveLangSel(), -1);
    }
}

TEST_F(LangIniTest, MissingFileEndsTheProcessByDefault)
{
    CLangIni::SetMissingFileHandler(nullptr);
    EXPECT_EXIT(CLangIni(), ::testing::ExitedWithCode(255), "have not found file!");
    EXPECT_TRUE(fs::is_directory("config"));
}

TEST_F(LangIniTest, ReadsTheFileAsItIsAtEachRead)
{
    WriteLangIni("[LanguageType]\n0=A\n1=end\n[A]\n0=x\n1=end\n[LanguageSel]\nlangsel=0\n");
    CLangIni ini;
    WriteLangIni("[LanguageType]\n0=A\n1=B\n2=end\n[B]\n0=y\n1=end\n[LanguageSel]\nlangsel=1\n");

    EXPECT_EQ(ini.ReadLangSel(), 1);
    ini.ReadLangType();
    EXPECT_EQ(ini.m_mapLangName, Table({{0, "A"}, {1, "B"}}));
    // Tables are appended to those already loaded.
    ini.ReadLangText();
    ASSERT_EQ(ini.m_vecLangText.size(), 3u);
    EXPECT_EQ(ini.m_vecLangText[0], Table({{0, "x"}}));
    EXPECT_EQ(ini.m_vecLangText[1].size(), 300u);
    EXPECT_EQ(ini.m_vecLangText[2], Table({{0, "y"}}));
}

TEST_F(LangIniTest, LoadsUnderACurrentDirectoryLongerThan260Characters)
{
    fs::path deep = fs::current_path();
    for (int level = 0; level < 8; ++level)
        deep /= std::string(40, static_cast<char>('a' + level));
    fs::create_directories(deep);
    fs::current_path(deep);
    WriteLangIni("[LanguageType]\n0=English\n1=end\n[English]\n0=Ready\n1=end\n");

    std::string path;
    CLangIni::GetIniPath(path);
    CLangIni ini;

    EXPECT_EQ(path, deep.string() + "/config/lang.ini");
    EXPECT_GT(path.size(), 260u);
    EXPECT_EQ(ini.m_vecLangText.at(0), Table({{0, "Ready"}}));
}

struct CodePageCase {
    const char* codeSet;
    std::string name;
    TextMap texts;
};

class DisplayNameRoundTripTest : public LangIniTest,
                                 public ::testing::WithParamInterface<CodePageCase> {};

// The text section is found by the name as the code page gives it back, so a
// name the code page cannot hold finds no section.
TEST_P(DisplayNameRoundTripTest, FindsTheSectionOnlyWhenTheCodePageHoldsTheName)
{
    const CodePageCase& c = GetParam();
    AnsiCodePage::SetCodeSet(c.codeSet);
    WriteLangIni(
        "[LanguageType]\n0=\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC\n1=end\n"
        "[\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC]\n0=\xCE\x9D\xCE\xB1\xCE\xB9\n1=end\n");

    CLangIni ini;

    EXPECT_EQ(ini.m_mapLangName, Table({{0, c.name}}));
    ASSERT_EQ(ini.m_vecLangText.size(), 1u);
    EXPECT_EQ(ini.m_vecLangText[0], c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    CodeSets, DisplayNameRoundTripTest,
    ::testing::Values(
        CodePageCase{"WINDOWS-1252", "????????", EmptyTexts(300)},
        CodePageCase{"UTF-8", "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC",
                     Table({{0, "\xCE\x9D\xCE\xB1\xCE\xB9"}})},
        CodePageCase{"ISO-8859-7", "\xC5\xEB\xEB\xE7\xED\xE9\xEA\xDC", Table({{0, "\xCD\xE1\xE9"}})}),
    [](const auto& info) {
        std::string name = info.param.codeSet;
        std::erase(name, '-');
        return name;
    });

}  // namespace
