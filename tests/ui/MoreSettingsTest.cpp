#include <QSlider>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "AnsiCodePage.h"
#include "CLangIni.h"
#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "CVelmoraDlg.h"
#include "ParamRanges.h"
#include "UiTestEnv.h"

namespace {

// Login window.
constexpr int kConnect = 2004;
constexpr int kPasswordEdit = 1007;
constexpr int kLogin = 2005;
constexpr const char* kPassword = "000000";
// Basic window.
constexpr int kSetting = 2021;
// Advanced window.
constexpr int kRestoreDefaults = 2034;
constexpr int kReturn = 2036;
constexpr int kSetAndReturn = 2037;
constexpr int kSlider = 1071;
constexpr int kTimezoneLabel = 2040;
constexpr int kFirmwareLabel = 1020;

constexpr int kReturnQuestionText = 90;
constexpr int kFirstMessageText = 256;

// A list parameter as the operator and the recorder see it.
struct Param {
    param::Row row;
    int box;
    const char* get;
    const char* set;
    int readMessage;
    int writeMessage;

    const char* Field() const { return param::kRanges[row].name; }
    int Count() const { return param::kRanges[row].count; }
};

const Param kResolution{param::Resolution, 1009, "get_Resolution", "set_Resolution", 4, 14};
const Param kSplitTime{param::VideoSplitTime, 1010, "get_VideoSplitTime", "set_VideoSplitTime", 5, 15};
const Param kGps{param::Gps, 1011, "get_Gps", "set_Gps", 6, 16};
const Param kVolume{param::SoundVolume, 1012, "get_SoundVolume", "set_SoundVolume", 7, 17};
const Param kQuality{param::VideoQuality, 1014, "get_Video_quality", "set_Video_quality", 9, 19};
const Param kInfrared{param::Infrared, 1015, "get_Infrared", "set_Infrared", 10, 20};
const Param kWarning{param::RecordingWarning, 1016, "get_Recording_warning", "set_Recording_warning", 11, 21};
const Param kLoop{param::LoopRecord, 1019, "get_loop_record", "set_loop_record", 29, 28};
const Param kCodec{param::VideoCodecFormat, 1021, "get_video_codec_format", "set_video_codec_format", 0, 1};
const Param kPreRecord{param::PreRecording, 1022, "get_pre_record", "set_pre_record", 2, 3};

const std::vector<Param> kAllParams = {kResolution, kSplitTime, kGps,  kVolume, kQuality,
                                       kInfrared,   kWarning,   kLoop, kCodec,  kPreRecord};

// The window's texts, from the working folder's language file.
std::u16string Text(int index) {
    const CLangIni lang;
    const auto text = lang.SelectedText().find(index);
    return text == lang.SelectedText().end() ? u"<missing text>" : AnsiCodePage::ToWide(text->second);
}

std::vector<std::u16string> Messages(const std::vector<int>& numbers) {
    std::vector<std::u16string> texts;
    for (int n : numbers) texts.push_back(Text(kFirstMessageText + n));
    return texts;
}

const std::vector<std::u16string> kNoPrompts;
const std::u16string kErrorBox = u"<error>";

class MoreSettingsTest : public UiTest {
protected:
    void TearDown() override {
        if (m_login) m_login->DestroyWindow();
        m_login.reset();
        UiTest::TearDown();
    }

    // Builds the window chain and logs in; returns the prompts met on the way.
    std::vector<std::u16string> BuildAndLogIn() {
        PromptDriver prompts;
        m_login = std::make_unique<CVelmoraDlg>();
        EXPECT_TRUE(m_login->Create(nullptr));
        m_login->ShowWindow(SW_SHOW);
        Click(*m_login, kConnect);
        TypeInto(*m_login, kPasswordEdit, kPassword);
        Click(*m_login, kLogin);
        EXPECT_TRUE(Normal().IsWindowVisible());
        return prompts.Messages();
    }
    void LogIn() { EXPECT_EQ(BuildAndLogIn(), kNoPrompts); }

    CNormalSettingsDlg& Normal() { return *m_login->NormalSettingsDlg(); }
    CMoreSettingDlg& More() { return *Normal().m_pMoreSettingDlg; }

    // "Setting" in the basic window.
    std::vector<std::u16string> Open() {
        PromptDriver prompts;
        Click(Normal(), kSetting);
        return prompts.Messages();
    }
    void OpenQuietly() {
        EXPECT_EQ(Open(), kNoPrompts);
        EXPECT_TRUE(More().IsWindowVisible());
    }
    std::vector<std::u16string> Press(int id, std::vector<Answer> answers = {}) {
        PromptDriver prompts(std::move(answers));
        Click(More(), id);
        return prompts.Messages();
    }
    std::vector<std::u16string> PressCloseBox(std::vector<Answer> answers = {}) {
        PromptDriver prompts(std::move(answers));
        CloseBox(More());
        ProcessEvents();
        return prompts.Messages();
    }
    // "Return", confirming the question.
    void ReturnConfirmed() {
        EXPECT_EQ(Press(kReturn), std::vector<std::u16string>{Text(kReturnQuestionText)});
        EXPECT_FALSE(More().IsWindowVisible());
    }
    void ExpectReturned() {
        EXPECT_FALSE(More().IsWindowVisible());
        EXPECT_TRUE(Normal().IsWindowVisible());
    }

    void MoveSlider(int position) {
        auto* slider = qobject_cast<QSlider*>(More().DlgItemWidget(kSlider));
        ASSERT_NE(slider, nullptr);
        slider->setValue(position);
    }

    void SetItemCount(const std::string& section, int count) {
        std::string content = ReadLangFile();
        std::smatch number;
        ASSERT_TRUE(std::regex_search(content, number, std::regex("\\[" + section + "\\]\\s*item_num=(-?[0-9]+)")))
            << section;
        content.replace(static_cast<size_t>(number.position(1)), static_cast<size_t>(number.length(1)),
                        std::to_string(count));
        WriteLangFile(content);
    }

    // The recorder's memory, as its control tool shows it ("name=value" lines).
    static std::string Memory(const std::string& field) {
        std::istringstream lines(Recorder({"status"}));
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with(field + "=")) return line.substr(field.size() + 1);
        }
        ADD_FAILURE() << "no field " << field;
        return {};
    }

    // Journal entries ("set_Gps(1) -> true") from entry `from` on, of calls whose
    // name starts with prefix.
    static std::vector<std::string> Calls(size_t from = 0, const std::string& prefix = "") {
        std::istringstream lines(Recorder({"journal"}));
        std::vector<std::string> calls;
        size_t index = 0;
        for (std::string line; std::getline(lines, line); ++index) {
            const size_t start = line.find("] ");
            if (index < from || start == std::string::npos) continue;
            const std::string call = line.substr(start + 2);
            if (call.starts_with(prefix)) calls.push_back(call);
        }
        return calls;
    }
    static size_t JournalEnd() { return Calls().size(); }
    // The journal entry of the one call of function since from, without its answer.
    static std::string OnlyCall(size_t from, const std::string& function) {
        const auto calls = Calls(from, function + "(");
        EXPECT_EQ(calls.size(), 1u) << function;
        return calls.empty() ? std::string() : calls.front();
    }

    std::unique_ptr<CVelmoraDlg> m_login;
};

std::string SetCall(const char* function, int value, bool result = true) {
    return std::string(function) + "(" + std::to_string(value) + ") -> " + (result ? "true" : "false");
}

// --- Time zone -------------------------------------------------------------

struct TimezoneReadCase {
    const char* name;
    const char* raw;
    int position;
    const char* label;
    std::vector<int> messages;
};

class TimezoneReadTest : public MoreSettingsTest, public ::testing::WithParamInterface<TimezoneReadCase> {};

// An earlier opening puts the slider at +8, so that a refused value visibly leaves it there.
TEST_P(TimezoneReadTest, SliderAndLabelFollowTheRecordersValue) {
    const TimezoneReadCase& c = GetParam();
    Recorder({"set", "timezone", "20"});
    LogIn();
    OpenQuietly();
    ReturnConfirmed();

    Recorder({"set", "timezone", c.raw});
    EXPECT_EQ(Open(), Messages(c.messages));
    EXPECT_TRUE(More().IsWindowVisible());
    EXPECT_EQ(More().SliderGetPos(kSlider), c.position);
    EXPECT_EQ(More().GetDlgItemText(kTimezoneLabel), U(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Values, TimezoneReadTest,
    ::testing::Values(TimezoneReadCase{"Lowest", "0", -12, "-12", {}},
                      TimezoneReadCase{"Utc", "12", 0, " 0", {}},
                      TimezoneReadCase{"Highest", "24", 12, "12", {}},
                      TimezoneReadCase{"AboveRange", "25", 8, " 8", {31}},
                      TimezoneReadCase{"AllBitsSet", "-1", 8, " 8", {31}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SliderCase {
    const char* name;
    int position;
    const char* label;
    int wire;
};

class SliderWriteTest : public MoreSettingsTest, public ::testing::WithParamInterface<SliderCase> {};

TEST_P(SliderWriteTest, LabelFollowsTheSliderAndSetSendsPositionPlusTwelve) {
    const SliderCase& c = GetParam();
    LogIn();
    OpenQuietly();
    MoveSlider(c.position);
    EXPECT_EQ(More().GetDlgItemText(kTimezoneLabel), U(c.label));

    const size_t mark = JournalEnd();
    EXPECT_EQ(Press(kSetAndReturn), Messages({26}));
    EXPECT_EQ(OnlyCall(mark, "set_Timezone_info"), SetCall("set_Timezone_info", c.wire));
    EXPECT_EQ(Memory("timezone"), std::to_string(c.wire));
}

INSTANTIATE_TEST_SUITE_P(Positions, SliderWriteTest,
                         ::testing::Values(SliderCase{"PlusThree", 3, " 3", 15},
                                           SliderCase{"MinusOne", -1, "-1", 11},
                                           SliderCase{"Leftmost", -12, "-12", 0},
                                           SliderCase{"Rightmost", 12, "12", 24}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- List parameters ---------------------------------------------------------

struct FirstGroupCase {
    const char* name;
    Param param;
    std::optional<int> earlier;  // a value read at an opening before
    unsigned raw;
    int selection;
};

class FirstGroupOutOfRangeTest : public MoreSettingsTest,
                                 public ::testing::WithParamInterface<FirstGroupCase> {};

TEST_P(FirstGroupOutOfRangeTest, KeepsTheSelectionAndWritesItBack) {
    const FirstGroupCase& c = GetParam();
    LogIn();
    if (c.earlier) {
        Recorder({"set", c.param.Field(), std::to_string(*c.earlier)});
        OpenQuietly();
        ReturnConfirmed();
    }
    Recorder({"set", c.param.Field(), std::to_string(c.raw)});
    OpenQuietly();
    EXPECT_EQ(More().ComboGetCurSel(c.param.box), c.selection);
    EXPECT_TRUE(More().IsDlgItemEnabled(c.param.box));

    const size_t mark = JournalEnd();
    EXPECT_EQ(Press(kSetAndReturn), Messages({26}));
    EXPECT_EQ(OnlyCall(mark, c.param.set), SetCall(c.param.set, c.selection));
    EXPECT_EQ(Memory(c.param.Field()), std::to_string(c.selection));
}

INSTANTIATE_TEST_SUITE_P(
    Values, FirstGroupOutOfRangeTest,
    ::testing::Values(FirstGroupCase{"ResolutionAtCount", kResolution, std::nullopt, 4, 0},
                      FirstGroupCase{"ResolutionAboveCount", kResolution, std::nullopt, 5, 0},
                      FirstGroupCase{"GpsAtCount", kGps, std::nullopt, 2, 0},
                      FirstGroupCase{"QualityAtCountAfterHigh", kQuality, 2, 3, 2},
                      FirstGroupCase{"InfraredFarAboveAfterOn", kInfrared, 1, 4000000000u, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct SecondGroupCase {
    const char* name;
    Param param;
    // Per opening, the field set on the recorder before it and its value.
    std::vector<std::pair<std::string, std::string>> openings;
    bool enabled;
    int selection;
};

class SecondGroupTest : public MoreSettingsTest, public ::testing::WithParamInterface<SecondGroupCase> {};

TEST_P(SecondGroupTest, CountDisablesTheBoxAndASmallerValueEnablesIt) {
    const SecondGroupCase& c = GetParam();
    LogIn();
    for (size_t i = 0; i < c.openings.size(); ++i) {
        if (i > 0) ReturnConfirmed();
        Recorder({"set", c.openings[i].first, c.openings[i].second});
        OpenQuietly();
    }
    EXPECT_EQ(More().IsDlgItemEnabled(c.param.box), c.enabled);
    EXPECT_EQ(More().ComboGetCurSel(c.param.box), c.selection);

    // A disabled box is written like the others, with what it shows.
    const size_t mark = JournalEnd();
    Press(kSetAndReturn);
    EXPECT_TRUE(OnlyCall(mark, c.param.set).starts_with(std::string(c.param.set) + "(" +
                                                        std::to_string(c.selection) + ")"));
    ExpectReturned();
}

INSTANTIATE_TEST_SUITE_P(
    Values, SecondGroupTest,
    ::testing::Values(
        SecondGroupCase{"LoopBelowCount", kLoop, {{"loop_record", "0"}}, true, 0},
        SecondGroupCase{"CodecAtCount", kCodec, {{"video_codec_format", "2"}}, false, -1},
        SecondGroupCase{"PreRecordAboveCount", kPreRecord, {{"pre_record", "3"}}, true, -1},
        SecondGroupCase{"CodecAtCountThenBelow", kCodec, {{"video_codec_format", "2"}, {"video_codec_format", "1"}}, true, 1},
        SecondGroupCase{"PreRecordBelowThenAtCount", kPreRecord, {{"pre_record", "1"}, {"pre_record", "2"}}, false, 1},
        SecondGroupCase{"LoopBelowThenAbove", kLoop, {{"loop_record", "0"}, {"loop_record", "9"}}, true, 0},
        SecondGroupCase{"LoopUnsupported", kLoop, {{"loop_record_supported", "0"}}, false, -1},
        SecondGroupCase{"LoopUnsupportedThenSupported", kLoop, {{"loop_record_supported", "0"}, {"loop_record_supported", "1"}}, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

class SecondGroupNeverReadTest : public MoreSettingsTest, public ::testing::WithParamInterface<Param> {};

TEST_P(SecondGroupNeverReadTest, BoxWithoutValueWritesMinusOne) {
    const Param& p = GetParam();
    LogIn();
    Recorder({"fail", p.get, "once"});
    EXPECT_EQ(Open(), Messages({p.readMessage}));
    EXPECT_EQ(More().ComboGetCurSel(p.box), -1);

    const size_t mark = JournalEnd();
    EXPECT_EQ(Press(kSetAndReturn), Messages({26}));
    EXPECT_EQ(OnlyCall(mark, p.set), SetCall(p.set, -1));
    EXPECT_EQ(Memory(p.Field()), std::to_string(param::kRanges[p.row].defaultValue));
}

INSTANTIATE_TEST_SUITE_P(Rows, SecondGroupNeverReadTest, ::testing::Values(kLoop, kCodec, kPreRecord),
                         [](const auto& info) { return std::string(info.param.get); });

struct ZeroCountCase {
    const char* section;
    Param param;
    bool enabled;  // the recorder's default value then lies above or at the count
};

class ZeroCountTest : public MoreSettingsTest, public ::testing::WithParamInterface<ZeroCountCase> {};

TEST_P(ZeroCountTest, BoxStaysEmptyAndItsSetGetsMinusOne) {
    const ZeroCountCase& c = GetParam();
    SetItemCount(c.section, 0);
    LogIn();
    OpenQuietly();
    EXPECT_EQ(More().ComboGetCount(c.param.box), 0);
    EXPECT_EQ(More().ComboGetCurSel(c.param.box), -1);
    EXPECT_EQ(More().IsDlgItemEnabled(c.param.box), c.enabled);

    const size_t mark = JournalEnd();
    EXPECT_EQ(Press(kSetAndReturn), Messages({26}));
    EXPECT_EQ(OnlyCall(mark, c.param.set), SetCall(c.param.set, -1));
}

INSTANTIATE_TEST_SUITE_P(Rows, ZeroCountTest,
                         ::testing::Values(ZeroCountCase{"Param_Gps", kGps, true},
                                           ZeroCountCase{"Param_Loop_record", kLoop, true},
                                           ZeroCountCase{"Param_Pre_recording", kPreRecord, false}),
                         [](const auto& info) { return std::string(info.param.section); });

// A range holds 10 texts (2 for the two-valued lists); keys a language lacks count
// as empty texts.
struct ItemCountCase {
    const char* section;
    int count;
    bool fits;
};

class ItemCountTest : public MoreSettingsTest, public ::testing::WithParamInterface<ItemCountCase> {};

TEST_P(ItemCountTest, CountBeyondTheTextsStopsBuildingAndOpening) {
    const ItemCountCase& c = GetParam();
    SetItemCount(c.section, c.count);
    const std::vector<std::u16string> building = BuildAndLogIn();
    EXPECT_EQ(building, c.fits ? kNoPrompts : std::vector<std::u16string>{kErrorBox});

    const size_t mark = JournalEnd();
    if (c.fits) {
        OpenQuietly();
        return;
    }
    // Twice: the basic window stays usable after the error.
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(Open(), std::vector<std::u16string>{kErrorBox});
        EXPECT_FALSE(More().IsWindowVisible());
        EXPECT_TRUE(Normal().IsWindowVisible());
    }
    EXPECT_EQ(Calls(mark, "get_"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Rows, ItemCountTest,
                         ::testing::Values(ItemCountCase{"Param_Resolution", 11, false},
                                           ItemCountCase{"Param_Resolution", 10, true},
                                           ItemCountCase{"Param_Photo_Resolution", 11, false},
                                           ItemCountCase{"Param_Pre_recording", 3, false},
                                           ItemCountCase{"Param_Screen_save", 11, true}),
                         [](const auto& info) {
                             return std::string(info.param.section) + "_" + std::to_string(info.param.count);
                         });

// --- Failing calls -----------------------------------------------------------

TEST_F(MoreSettingsTest, EveryCallFailingGivesEachReadAndWriteMessageInOrder) {
    LogIn();
    for (const Param& p : kAllParams) {
        Recorder({"fail", p.get, "always"});
        Recorder({"fail", p.set, "always"});
    }
    for (const char* function : {"get_Timezone_info", "set_Timezone_info", "get_firmware_version"}) {
        Recorder({"fail", function, "always"});
    }

    EXPECT_EQ(Open(), Messages({4, 5, 6, 7, 9, 10, 11, 29, 0, 2, 31, 32}));
    EXPECT_TRUE(More().IsWindowVisible());
    EXPECT_EQ(More().GetDlgItemText(kTimezoneLabel), u"");
    EXPECT_EQ(More().GetDlgItemText(kFirmwareLabel), u"");

    const size_t mark = JournalEnd();
    EXPECT_EQ(Press(kSetAndReturn), Messages({14, 15, 16, 17, 19, 20, 21, 28, 1, 3, 30, 27}));
    ExpectReturned();
    // First-group boxes write their first item, second-group boxes nothing selected.
    for (const Param& p : kAllParams) {
        const int selection = p.row < param::LoopRecord ? 0 : -1;
        EXPECT_EQ(OnlyCall(mark, p.set), SetCall(p.set, selection, false));
    }
    EXPECT_EQ(OnlyCall(mark, "set_Timezone_info"), SetCall("set_Timezone_info", 12, false));
}

TEST_F(MoreSettingsTest, FailedReadsKeepWhatAnEarlierOpeningShowed) {
    Recorder({"set", "resolution", "2"});
    Recorder({"set", "loop_record", "0"});
    Recorder({"set", "timezone", "15"});
    LogIn();
    OpenQuietly();
    const std::u16string firmware = More().GetDlgItemText(kFirmwareLabel);
    EXPECT_EQ(firmware, U(Memory("firmware_version").c_str()));
    ReturnConfirmed();

    for (const char* function : {"get_Resolution", "get_loop_record", "get_Timezone_info", "get_firmware_version"}) {
        Recorder({"fail", function, "once"});
    }
    EXPECT_EQ(Open(), Messages({4, 29, 31, 32}));
    EXPECT_EQ(More().ComboGetCurSel(kResolution.box), 2);
    EXPECT_EQ(More().ComboGetCurSel(kLoop.box), 0);
    EXPECT_EQ(More().SliderGetPos(kSlider), 3);
    EXPECT_EQ(More().GetDlgItemText(kTimezoneLabel), u" 3");
    EXPECT_EQ(More().GetDlgItemText(kFirmwareLabel), firmware);
}

struct WriteFailureCase {
    const char* name;
    std::vector<std::string> failing;
    std::vector<int> messages;
};

class WriteFailureTest : public MoreSettingsTest, public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(WriteFailureTest, EachFailedWriteSpeaksAndTheSummaryFollows) {
    const WriteFailureCase& c = GetParam();
    LogIn();
    OpenQuietly();
    for (const std::string& function : c.failing) Recorder({"fail", function, "once"});
    const size_t mark = JournalEnd();
    EXPECT_EQ(Press(kSetAndReturn), Messages(c.messages));
    ExpectReturned();
    // The run goes on past failures: every set function was called once.
    EXPECT_EQ(Calls(mark, "set_").size(), kAllParams.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, WriteFailureTest,
    ::testing::Values(WriteFailureCase{"None", {}, {26}},
                      WriteFailureCase{"OnlyTimezone", {"set_Timezone_info"}, {30, 27}},
                      WriteFailureCase{"OnlyGps", {"set_Gps"}, {16, 27}},
                      WriteFailureCase{"CodecAndTimezone", {"set_video_codec_format", "set_Timezone_info"}, {1, 30, 27}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Returning to the basic window ---------------------------------------------

struct ReturnCase {
    const char* name;
    bool closeBox;
    bool withoutQuestionText;
    Answer answer;
    bool returned;
};

class ReturnTest : public MoreSettingsTest, public ::testing::WithParamInterface<ReturnCase> {};

TEST_P(ReturnTest, QuestionDecidesWhetherTheBasicWindowComesBackRefreshed) {
    const ReturnCase& c = GetParam();
    const std::u16string question = Text(kReturnQuestionText);
    if (c.withoutQuestionText) DropTexts({kReturnQuestionText});
    LogIn();
    OpenQuietly();

    const size_t mark = JournalEnd();
    PromptDriver prompts({c.answer});
    if (c.closeBox) {
        CloseBox(More());
        ProcessEvents();
    } else {
        Click(More(), kReturn);
    }
    if (c.withoutQuestionText) {
        EXPECT_TRUE(prompts.Seen().empty());
    } else {
        ASSERT_EQ(prompts.Seen().size(), 1u);
        EXPECT_EQ(prompts.Seen()[0].message, question);
        EXPECT_TRUE(prompts.Seen()[0].cancelVisible);
    }
    EXPECT_EQ(More().IsWindowVisible(), !c.returned);
    EXPECT_EQ(Normal().IsWindowVisible(), c.returned);
    // The basic window reads the recorder's clock again only after a return.
    EXPECT_EQ(Calls(mark, "get_time(").size(), c.returned ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Answers, ReturnTest,
                         ::testing::Values(ReturnCase{"ReturnConfirmed", false, false, Answer::Ok, true},
                                           ReturnCase{"ReturnCancelled", false, false, Answer::Cancel, false},
                                           ReturnCase{"CloseBoxConfirmed", true, false, Answer::Ok, true},
                                           ReturnCase{"CloseBoxCancelled", true, false, Answer::Cancel, false},
                                           ReturnCase{"ReturnWithoutQuestionText", false, true, Answer::Cancel, true},
                                           ReturnCase{"CloseBoxWithoutQuestionText", true, true, Answer::Cancel, true}),
                         [](const auto& info) { return std::string(info.param.name); });

class ReturnAfterSetTest : public MoreSettingsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ReturnAfterSetTest, AfterOneSetAndReturnNothingIsAskedOrRefreshed) {
    const bool closeBox = GetParam();
    LogIn();
    OpenQuietly();
    EXPECT_EQ(Press(kSetAndReturn), Messages({26}));
    ExpectReturned();
    OpenQuietly();

    const size_t mark = JournalEnd();
    EXPECT_EQ(closeBox ? PressCloseBox({Answer::Cancel}) : Press(kReturn, {Answer::Cancel}), kNoPrompts);
    ExpectReturned();
    EXPECT_EQ(Calls(mark, "get_time(").size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Triggers, ReturnAfterSetTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "CloseBox" : "Return"); });

// --- Restoring the defaults (a hidden command) -------------------------------------

struct RestoreCase {
    const char* name;
    Answer answer;
    bool fails;
    std::vector<int> messages;
    int resolution;  // shown afterwards
};

class RestoreDefaultsTest : public MoreSettingsTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreDefaultsTest, AsksThenRestoresAndReadsAgain) {
    const RestoreCase& c = GetParam();
    Recorder({"set", "resolution", "3"});
    LogIn();
    OpenQuietly();
    EXPECT_FALSE(More().IsDlgItemVisible(kRestoreDefaults));
    if (c.fails) Recorder({"fail", "restore_default", "once"});

    const size_t mark = JournalEnd();
    EXPECT_EQ(Press(kRestoreDefaults, {c.answer}), Messages(c.messages));
    EXPECT_EQ(Calls(mark, "restore_default(").size(), c.answer == Answer::Ok ? 1u : 0u);
    EXPECT_EQ(More().ComboGetCurSel(kResolution.box), c.resolution);
    EXPECT_TRUE(More().IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(Answers, RestoreDefaultsTest,
                         ::testing::Values(RestoreCase{"Cancelled", Answer::Cancel, false, {25}, 3},
                                           RestoreCase{"Restored", Answer::Ok, false, {25, 23}, 0},
                                           RestoreCase{"Failed", Answer::Ok, true, {25, 24}, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- End to end -------------------------------------------------------------------

TEST_F(MoreSettingsTest, EveryChangedParameterIsWrittenShownAgainAndKept) {
    LogIn();
    OpenQuietly();
    std::vector<int> chosen;
    for (const Param& p : kAllParams) {
        const int shown = More().ComboGetCurSel(p.box);
        EXPECT_EQ(shown, param::kRanges[p.row].defaultValue) << p.Field();
        EXPECT_EQ(More().ComboGetCount(p.box), p.Count()) << p.Field();
        chosen.push_back((shown + 1) % p.Count());
        ChooseComboItem(More(), p.box, chosen.back());
    }
    MoveSlider(-5);
    EXPECT_EQ(Press(kSetAndReturn), Messages({26}));
    ExpectReturned();

    OpenQuietly();
    for (size_t i = 0; i < kAllParams.size(); ++i) {
        const Param& p = kAllParams[i];
        EXPECT_EQ(More().ComboGetCurSel(p.box), chosen[i]) << p.Field();
        EXPECT_EQ(More().ComboGetItemText(p.box, chosen[i]), Text(param::kRanges[p.row].firstText + chosen[i]))
            << p.Field();
    }
    EXPECT_EQ(More().SliderGetPos(kSlider), -5);
    EXPECT_EQ(More().GetDlgItemText(kTimezoneLabel), u"-5");
    Press(kReturn);
    ExpectReturned();

    m_login->DestroyWindow();
    m_login.reset();
    for (size_t i = 0; i < kAllParams.size(); ++i) {
        EXPECT_EQ(Memory(kAllParams[i].Field()), std::to_string(chosen[i])) << kAllParams[i].Field();
    }
    EXPECT_EQ(Memory("timezone"), "7");
}

}  // namespace
