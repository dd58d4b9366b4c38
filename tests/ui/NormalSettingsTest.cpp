#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "AnsiCodePage.h"
#include "CLangIni.h"
#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "CVelmoraDlg.h"
#include "UiTestEnv.h"

namespace {

// Basic window controls.
constexpr int kOld = 1001;
constexpr int kNew = 1002;
constexpr int kConfirm = 1003;
constexpr int kDeviceNo = 1004;
constexpr int kOfficerNo = 1005;
constexpr int kClock = 1006;
constexpr int kGet = 2008;
constexpr int kSet = 2009;
constexpr int kModify = 2014;
constexpr int kSetId = 2019;
constexpr int kUDisk = 2020;
constexpr int kSetting = 2021;
constexpr int kReturn = 2022;
constexpr int kExit = 2023;

// Login window controls.
constexpr int kPasswordEdit = 1007;
constexpr int kLangCombo = 1019;
constexpr int kStatusLine = 1056;
constexpr int kConnect = 2004;
constexpr int kLogin = 2005;

constexpr int kRecorderLostText = 75;
constexpr int kCautionTitleText = 80;
// In an expected list of reports: the invalid-argument error box, an empty message.
constexpr int kErrorBox = -1;
constexpr int kEmptyText = -2;

const char* const kFactoryPassword = "000000";
const std::vector<int> kAllFields = {kClock, kDeviceNo, kOfficerNo, kOld, kNew, kConfirm};

// "YYYY-MM-DD hh:mm:ss" (year padded to four) as seconds of local time.
std::time_t ParseClock(const std::u16string& wide) {
    const std::string text = QString::fromStdU16String(wide).toStdString();
    std::tm parts{};
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &parts.tm_year, &parts.tm_mon, &parts.tm_mday,
                    &parts.tm_hour, &parts.tm_min, &parts.tm_sec) != 6) {
        ADD_FAILURE() << "not a clock text: '" << text << "'";
        return 0;
    }
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

// Every case table names its rows; failures print that name.
template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class NormalSettingsTest : public UiTest {
protected:
    void TearDown() override {
        if (m_login) m_login->DestroyWindow();
        m_login.reset();
        UiTest::TearDown();
    }

    // Builds the login window and logs in; the basic window then has the screen.
    CNormalSettingsDlg& LogIn(const char* password = kFactoryPassword) {
        m_login = std::make_unique<CVelmoraDlg>();
        EXPECT_TRUE(m_login->Create(nullptr));
        m_login->ShowWindow(SW_SHOW);
        EXPECT_TRUE(LogInAgain(password)) << "login with " << password;
        return Normal();
    }

    // Connects and logs in from the login window; true when the basic window took over.
    bool LogInAgain(const char* password) {
        Click(*m_login, kConnect);
        TypeInto(*m_login, kPasswordEdit, password);
        Click(*m_login, kLogin);
        return Normal().IsWindowVisible() && !m_login->IsWindowVisible();
    }

    // Leaves the basic window and tries a fresh login.
    bool RecorderAccepts(const char* password) {
        if (Normal().IsWindowVisible()) Click(Normal(), kReturn);
        return LogInAgain(password);
    }

    CVelmoraDlg& Login() { return *m_login; }
    CNormalSettingsDlg& Normal() { return *m_login->NormalSettingsDlg(); }

    // The clock field and the five edits, in the order of kAllFields.
    std::vector<std::u16string> Fields() {
        std::vector<std::u16string> texts;
        for (int id : kAllFields) texts.push_back(Normal().GetDlgItemText(id));
        return texts;
    }

    // Text of the selected language in the working folder's language file.
    static std::u16string Text(int index) {
        const CLangIni lang;
        const TextMap& texts = lang.SelectedText();
        const auto found = texts.find(index);
        EXPECT_NE(found, texts.end()) << "no text " << index;
        return found == texts.end() ? std::u16string() : AnsiCodePage::ToWide(found->second);
    }

    // The prompts seen were these texts, in order, each with caption text 80 and OK alone.
    static void ExpectReports(const PromptDriver& prompts, const std::vector<int>& textIndices) {
        std::vector<std::u16string> expected;
        for (int index : textIndices) {
            expected.push_back(index == kErrorBox ? u"<error>" : index == kEmptyText ? u"" : Text(index));
        }
        EXPECT_EQ(prompts.Messages(), expected);
        for (const SeenPrompt& seen : prompts.Seen()) {
            if (seen.errorBox) continue;
            EXPECT_EQ(seen.title, Text(kCautionTitleText));
            EXPECT_FALSE(seen.cancelVisible);
        }
    }

    // Puts the end marker in place of the given text in every language.
    void TypePasswords(const char* oldText, const char* newText, const char* confirmText) {
        TypeInto(Normal(), kOld, oldText);
        TypeInto(Normal(), kNew, newText);
        TypeInto(Normal(), kConfirm, confirmText);
    }

private:
    std::unique_ptr<CVelmoraDlg> m_login;
};

// ---- Clock -------------------------------------------------------------------

struct GetTimeCase {
    const char* name;
    const char* clockAfterLogin;  // recorder's frozen clock when get is pressed
    bool refused;
    const char16_t* field;
    std::vector<int> reports;
};

class GetTime : public NormalSettingsTest, public ::testing::WithParamInterface<GetTimeCase> {};

TEST_P(GetTime, ShowsTheRecorderClockOrReportsAndKeepsTheField) {
    const GetTimeCase& c = GetParam();
    Recorder({"set", "clock", "2021 2 3 4 5 6"});
    CNormalSettingsDlg& normal = LogIn();
    ASSERT_EQ(normal.GetDlgItemText(kClock), u"2021-02-03 04:05:06");
    Recorder({"set", "clock", c.clockAfterLogin});
    if (c.refused) Recorder({"fail", "get_time", "always"});

    PromptDriver prompts;
    Click(normal, kGet);

    EXPECT_EQ(normal.GetDlgItemText(kClock), c.field);
    ExpectReports(prompts, c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetTime,
    ::testing::Values(GetTimeCase{"accepted", "2030 12 31 23 59 58", false, u"2030-12-31 23:59:58", {}},
                      GetTimeCase{"yearPaddedToFour", "999 1 2 3 4 5", false, u" 999-01-02 03:04:05", {}},
                      GetTimeCase{"refused", "2030 12 31 23 59 58", true, u"2021-02-03 04:05:06", {100}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SetTimeCase {
    const char* name;
    bool refused;
    std::vector<int> reports;
};

class SetTime : public NormalSettingsTest, public ::testing::WithParamInterface<SetTimeCase> {};

TEST_P(SetTime, SendsThePcTimeAndShowsItBeforeReporting) {
    const SetTimeCase& c = GetParam();
    // Far from the PC's time, so that a set is visible on the recorder.
    Recorder({"set", "clock", "2001 1 1 0 0 0"});
    CNormalSettingsDlg& normal = LogIn();
    if (c.refused) Recorder({"fail", "set_time", "always"});

    PromptDriver prompts;
    std::vector<std::u16string> fieldAtPrompt;
    prompts.OnEachPrompt([&](const SeenPrompt&) { fieldAtPrompt.push_back(normal.GetDlgItemText(kClock)); });
    const std::time_t before = std::time(nullptr);
    Click(normal, kSet);
    const std::time_t after = std::time(nullptr);

    ExpectReports(prompts, c.reports);
    ASSERT_EQ(fieldAtPrompt.size(), 1u);
    EXPECT_EQ(normal.GetDlgItemText(kClock), fieldAtPrompt[0]);
    if (c.refused) {
        EXPECT_EQ(fieldAtPrompt[0], u"2001-01-01 00:00:00");
        EXPECT_EQ(RecorderField("clock_now"), "2001-01-01 00:00:00");
        return;
    }
    const std::time_t sent = ParseClock(fieldAtPrompt[0]);
    EXPECT_GE(sent, before);
    EXPECT_LE(sent, after);
    const std::time_t recorderNow = ParseClock(QString::fromStdString(RecorderField("clock_now")).toStdU16String());
    EXPECT_LE(std::llabs(static_cast<long long>(recorderNow - sent)), 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetTime,
                         ::testing::Values(SetTimeCase{"accepted", false, {101}},
                                           SetTimeCase{"refused", true, {102}}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Password ------------------------------------------------------------------

const char* const kLoginPassword = "Abc123";

struct PasswordCase {
    const char* name;
    const char* oldText;
    const char* newText;
    const char* confirmText;
    bool refusedByRecorder;
    int report;
    const char* recorderPasswordAfter;
};

class ChangePassword : public NormalSettingsTest, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(ChangePassword, FirstBrokenRuleWinsElseTheRecorderTakesTheConfirmation) {
    const PasswordCase& c = GetParam();
    Recorder({"set", "password", kLoginPassword});
    CNormalSettingsDlg& normal = LogIn(kLoginPassword);
    if (c.refusedByRecorder) Recorder({"fail", "alert_passwd", "always"});
    TypePasswords(c.oldText, c.newText, c.confirmText);
    const std::vector<std::u16string> fields = Fields();

    PromptDriver prompts;
    Click(normal, kModify);

    ExpectReports(prompts, {c.report});
    EXPECT_EQ(Fields(), fields);
    Recorder({"fail", "alert_passwd", "clear"});
    // A new password that the recorder could take must not have reached it.
    if (std::string(c.recorderPasswordAfter) != c.newText && std::strlen(c.newText) == 6) {
        EXPECT_FALSE(RecorderAccepts(c.newText));
    }
    EXPECT_TRUE(RecorderAccepts(c.recorderPasswordAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangePassword,
    ::testing::Values(
        // Rule 1: any field under six characters, whatever the others hold.
        PasswordCase{"oldTooShort", "Abc12", "xyz789", "xyz789", false, 103, kLoginPassword},
        PasswordCase{"newTooShort", "Abc123", "xyz78", "xyz78", false, 103, kLoginPassword},
        PasswordCase{"confirmationTooShort", "Abc123", "xyz789", "xyz78", false, 103, kLoginPassword},
        PasswordCase{"allEmpty", "", "", "", false, 103, kLoginPassword},
        PasswordCase{"shortBeatsWrongOld", "zzzzz", "zzzzz", "yyyyyy", false, 103, kLoginPassword},
        // Rule 2: the old password is the login password, exactly.
        PasswordCase{"wrongOldBeatsNewEqualsOld", "qqqqqq", "qqqqqq", "qqqqqq", false, 104, kLoginPassword},
        PasswordCase{"wrongOldBeatsConfirmation", "qqqqqq", "xyz789", "rrrrrr", false, 104, kLoginPassword},
        PasswordCase{"oldComparedWithCase", "abc123", "xyz789", "xyz789", false, 104, kLoginPassword},
        // Rule 3: before the confirmation is looked at.
        PasswordCase{"newEqualsOldBeatsConfirmation", "Abc123", "Abc123", "xyz789", false, 105, kLoginPassword},
        // Rule 4.
        PasswordCase{"confirmationDiffers", "Abc123", "xyz789", "xyz780", false, 106, kLoginPassword},
        PasswordCase{"confirmationComparedWithCase", "Abc123", "xyz789", "XYZ789", false, 106, kLoginPassword},
        // The recorder's answer.
        PasswordCase{"changed", "Abc123", "xyz789", "xyz789", false, 107, "xyz789"},
        PasswordCase{"newDiffersOnlyInCase", "Abc123", "ABC123", "ABC123", false, 107, "ABC123"},
        PasswordCase{"refused", "Abc123", "xyz789", "xyz789", true, 108, kLoginPassword}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NormalSettingsTest, SecondChangeInTheSessionTakesTheCurrentPasswordAsOld) {
    struct Step {
        const char* oldText;
        const char* newText;
        int report;
    };
    const std::vector<Step> steps = {
        {kFactoryPassword, "first1", 107},
        {kFactoryPassword, "other1", 104},  // the login password is no longer the recorder's
        {"first1", "second", 107},
    };
    CNormalSettingsDlg& normal = LogIn();
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.oldText) + " -> " + step.newText);
        TypePasswords(step.oldText, step.newText, step.newText);
        PromptDriver prompts;
        Click(normal, kModify);
        ExpectReports(prompts, {step.report});
    }
    EXPECT_FALSE(RecorderAccepts("first1"));
    EXPECT_TRUE(RecorderAccepts("second"));
}

// ---- ID numbers ----------------------------------------------------------------

struct IdCase {
    const char* name;
    const char* deviceNo;
    const char* officerNo;
    bool refusedByRecorder;
    int report;
    const char* recorderIdAfter;
};

class SetId : public NormalSettingsTest, public ::testing::WithParamInterface<IdCase> {};

TEST_P(SetId, ChecksLengthsThenStoresJoinedByAHyphen) {
    const IdCase& c = GetParam();
    CNormalSettingsDlg& normal = LogIn();
    ASSERT_EQ(normal.GetDlgItemText(kDeviceNo), u"VR001");
    ASSERT_EQ(normal.GetDlgItemText(kOfficerNo), u"000001");
    if (c.refusedByRecorder) Recorder({"fail", "set_id", "always"});
    TypeInto(normal, kDeviceNo, c.deviceNo);
    TypeInto(normal, kOfficerNo, c.officerNo);
    const std::vector<std::u16string> fields = Fields();

    PromptDriver prompts;
    Click(normal, kSetId);

    ExpectReports(prompts, {c.report});
    EXPECT_EQ(Fields(), fields);
    EXPECT_EQ(RecorderField("id_text"), c.recorderIdAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetId,
    ::testing::Values(IdCase{"deviceTooShort", "1234", "123456", false, 109, "VR001-000001"},
                      IdCase{"deviceTooShortOfficerEmpty", "1234", "", false, 109, "VR001-000001"},
                      IdCase{"officerTooShort", "12345", "12345", false, 109, "VR001-000001"},
                      IdCase{"bothEmpty", "", "", false, 109, "VR001-000001"},
                      IdCase{"stored", "12345", "654321", false, 110, "12345-654321"},
                      IdCase{"notOnlyDigits", "ab c1", "X-y_z9", false, 110, "ab c1-X-y_z9"},
                      IdCase{"refused", "12345", "654321", true, 111, "VR001-000001"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Enter U disk ---------------------------------------------------------------

struct UDiskCase {
    const char* name;
    bool refused;
    int report;
    bool loginWindowTakesOver;
};

class EnterUDisk : public NormalSettingsTest, public ::testing::WithParamInterface<UDiskCase> {};

TEST_P(EnterUDisk, ReportsAndLeavesTheRestToTheDeviceWatch) {
    const UDiskCase& c = GetParam();
    CNormalSettingsDlg& normal = LogIn();
    if (c.refused) Recorder({"fail", "enter_udisk", "always"});
    TypePasswords("aaaaaa", "bbbbbb", "cccccc");
    const std::vector<std::u16string> fields = Fields();

    PromptDriver prompts;
    Click(normal, kUDisk);

    ExpectReports(prompts, {c.report});
    EXPECT_TRUE(normal.IsWindowVisible());
    EXPECT_EQ(Fields(), fields);

    Login().SendMessage(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    EXPECT_EQ(normal.IsWindowVisible(), !c.loginWindowTakesOver);
    EXPECT_EQ(Login().IsWindowVisible(), c.loginWindowTakesOver);
    if (c.loginWindowTakesOver) {
        EXPECT_EQ(Login().GetDlgItemText(kStatusLine), Text(kRecorderLostText));
    }
    EXPECT_EQ(prompts.Seen().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, EnterUDisk,
                         ::testing::Values(UDiskCase{"accepted", false, 112, true},
                                           UDiskCase{"refused", true, 113, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Setting ------------------------------------------------------------------------

struct SettingCase {
    const char* name;
    int endMarkAt;  // 0: the language runs to its last text
    const char* failingRead;
    bool advancedShown;
};

class OpenSetting : public NormalSettingsTest, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(OpenSetting, HandsOverUnlessTheAdvancedReadStopsWithAnError) {
    const SettingCase& c = GetParam();
    if (c.endMarkAt) EndTextsAt(c.endMarkAt);
    CNormalSettingsDlg& normal = LogIn();
    if (*c.failingRead) Recorder({"fail", c.failingRead, "always"});

    PromptDriver prompts;
    Click(normal, kSetting);

    CMoreSettingDlg& more = *normal.m_pMoreSettingDlg;
    EXPECT_EQ(more.IsWindowVisible(), c.advancedShown);
    EXPECT_EQ(normal.IsWindowVisible(), !c.advancedShown);
    EXPECT_EQ(prompts.ErrorBoxes(), c.advancedShown ? 0 : 1);
    if (c.advancedShown) {
        EXPECT_EQ(more.GetWindowText(), Text(5));
    }
}

// An "end" at 256 leaves the advanced window without any message of its own.
INSTANTIATE_TEST_SUITE_P(Cases, OpenSetting,
                         ::testing::Values(SettingCase{"shown", 0, "", true},
                                           SettingCase{"readStopsWithError", 256, "get_firmware_version", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Leaving and coming back ----------------------------------------------------------

struct LeaveCase {
    const char* name;
    std::function<void(CDialogEx&)> leave;
};

class Leave : public NormalSettingsTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(Leave, KeepsEveryFieldAndTheNextLoginClearsThem) {
    CNormalSettingsDlg& normal = LogIn();
    TypePasswords("aaaaaa", "bbbbbb", "cccccc");
    TypeInto(normal, kDeviceNo, "11111");
    TypeInto(normal, kOfficerNo, "222222");
    const std::vector<std::u16string> fields = Fields();

    PromptDriver prompts;
    GetParam().leave(normal);

    EXPECT_FALSE(normal.IsWindowVisible());
    EXPECT_TRUE(normal.IsWindow());
    EXPECT_TRUE(Login().IsWindowVisible());
    EXPECT_EQ(Fields(), fields);
    EXPECT_TRUE(prompts.Seen().empty());

    // A refused clock read shows that the clock field, too, was cleared.
    Recorder({"set", "id_text", "ABCDE-FGHIJK"});
    Recorder({"fail", "get_time", "always"});
    ASSERT_TRUE(LogInAgain(kFactoryPassword));
    EXPECT_EQ(Fields(), (std::vector<std::u16string>{u"", u"ABCDE", u"FGHIJK", u"", u"", u""}));
}

INSTANTIATE_TEST_SUITE_P(Cases, Leave,
                         ::testing::Values(LeaveCase{"returnButton", [](CDialogEx& w) { Click(w, kReturn); }},
                                           LeaveCase{"closeBox", [](CDialogEx& w) { CloseBox(w); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NormalSettingsTest, FieldsAreClearedWhenTheRecorderReadsFail) {
    CNormalSettingsDlg& normal = LogIn();
    TypePasswords("aaaaaa", "bbbbbb", "cccccc");
    Click(normal, kReturn);
    Recorder({"fail", "get_time", "always"});
    Recorder({"fail", "get_id", "always"});

    PromptDriver prompts;
    ASSERT_TRUE(LogInAgain(kFactoryPassword));

    EXPECT_EQ(Fields(), std::vector<std::u16string>(kAllFields.size()));
    EXPECT_TRUE(prompts.Seen().empty());
}

// ---- Layout and texts ------------------------------------------------------------

TEST_F(NormalSettingsTest, ExitButtonIsNeverVisibleInEitherLanguage) {
    CNormalSettingsDlg& normal = LogIn();
    EXPECT_FALSE(normal.IsDlgItemVisible(kExit));
    EXPECT_EQ(normal.GetDlgItemText(kExit), U("Exit"));

    Click(normal, kReturn);
    ChooseComboItem(Login(), kLangCombo, 1);
    ASSERT_TRUE(LogInAgain(kFactoryPassword));
    EXPECT_EQ(normal.GetDlgItemText(kExit), U("Beenden"));
    EXPECT_EQ(normal.GetWindowText(), U("Grundeinstellungen"));
    EXPECT_FALSE(normal.IsDlgItemVisible(kExit));
    SaveScreenshot(normal, "normal-settings-logged-in");
}

TEST_F(NormalSettingsTest, EditsTakeAtMostFiveAndSixCharacters) {
    struct Limit {
        int id;
        const char16_t* kept;
    };
    const std::vector<Limit> limits = {
        {kDeviceNo, u"abcde"}, {kOfficerNo, u"abcdef"}, {kOld, u"abcdef"}, {kNew, u"abcdef"}, {kConfirm, u"abcdef"},
    };
    CNormalSettingsDlg& normal = LogIn();
    for (const Limit& limit : limits) {
        TypeInto(normal, limit.id, "abcdefgh");
        EXPECT_EQ(normal.GetDlgItemText(limit.id), limit.kept) << limit.id;
    }
}

// ---- Message list without text 104 ------------------------------------------------

struct ShiftCase {
    const char* name;
    const char* failing;
    int button;
    std::vector<int> reports;
};

// A table without 104, handed over as after a language change: the list is
// positional, so the texts from 105 on answer one entry early and entry 13 is missing.
class TableWithout104 : public NormalSettingsTest, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(TableWithout104, LaterMessagesMoveOneEntryDown) {
    const ShiftCase& c = GetParam();
    CNormalSettingsDlg& normal = LogIn();
    CLangIni lang;
    lang.m_vecLangText.at(static_cast<size_t>(lang.EffectiveLangSel())).erase(104);
    normal.SetLangIni(lang);
    normal.RefreshTexts();
    if (*c.failing) Recorder({"fail", c.failing, "always"});
    TypePasswords("qqqqqq", "xyz789", "xyz789");

    PromptDriver prompts;
    Click(normal, c.button);

    ExpectReports(prompts, c.reports);
    EXPECT_TRUE(normal.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableWithout104,
    ::testing::Values(ShiftCase{"clockMessageStays", "get_time", kGet, {100}},
                      ShiftCase{"wrongOldReportsText105", "", kModify, {105}},
                      ShiftCase{"switchReportsTheFailureText113", "", kUDisk, {113}},
                      ShiftCase{"failedSwitchEndsWithTheErrorBox", "enter_udisk", kUDisk, {kErrorBox}}),
    [](const auto& info) { return std::string(info.param.name); });

// A file without the line 104 cannot leave that hole: an absent key loads as an
// empty text, which keeps its place in the list.
class FileWithout104 : public NormalSettingsTest, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(FileWithout104, AbsentKeyIsAnEmptyMessageInItsPlace) {
    const ShiftCase& c = GetParam();
    DropTexts({104});
    CNormalSettingsDlg& normal = LogIn();
    if (*c.failing) Recorder({"fail", c.failing, "always"});
    TypePasswords("qqqqqq", "xyz789", "xyz789");

    PromptDriver prompts;
    Click(normal, c.button);

    ExpectReports(prompts, c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileWithout104,
    ::testing::Values(ShiftCase{"wrongOldReportsEmptyText", "", kModify, {kEmptyText}},
                      ShiftCase{"switchReportsText112", "", kUDisk, {112}},
                      ShiftCase{"failedSwitchReportsText113", "enter_udisk", kUDisk, {113}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- A language file gone during the run ----------------------------------------------

class WithoutLanguageFile : public NormalSettingsTest, public ::testing::WithParamInterface<int> {};

// Each command builds a prompt, and building one reads the file: the missing-file
// path runs (in tests it throws, which the dialog layer shows as the error box).
TEST_P(WithoutLanguageFile, EveryCommandReachesTheMissingFilePath) {
    CNormalSettingsDlg& normal = LogIn();
    std::filesystem::remove(LangFile());

    PromptDriver prompts;
    Click(normal, GetParam());

    EXPECT_EQ(prompts.Messages(), std::vector<std::u16string>{u"<error>"});
    EXPECT_TRUE(normal.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(Commands, WithoutLanguageFile, ::testing::Values(kGet, kReturn));

}  // namespace
