#include <string>
#include <vector>

#include "WindowChainFixture.h"

namespace {

constexpr int kFirstAdvancedMessage = 256;
constexpr int kTimezoneReadMessage = 31;
constexpr int kResolutionBox = 1009;
constexpr int kLoopRecordBox = 1019;

template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}
const auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

using MalformedAnswers = WindowChainFixture;

// ---- ID text, read at login into the basic window ---------------------------

struct IdCase {
    const char* name;
    std::string idText;
    const char16_t* device;
    const char16_t* officer;
};

class IdText : public MalformedAnswers, public ::testing::WithParamInterface<IdCase> {};

TEST_P(IdText, FillsWhatThePatternMatches) {
    Recorder({"set", "id_text", GetParam().idText});
    ASSERT_TRUE(LogIn());
    EXPECT_EQ(Normal().GetDlgItemText(kDeviceNo), GetParam().device);
    EXPECT_EQ(Normal().GetDlgItemText(kOfficerNo), GetParam().officer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdText,
    ::testing::Values(IdCase{"noHyphen", "ABCDEFGHIJK", u"ABCDE", u""},
                      IdCase{"noHyphenShort", "ABC", u"ABC", u""},
                      IdCase{"overlongDevicePart", "ABCDEFG-123456", u"ABCDE", u""},
                      IdCase{"overlongOfficerPart", "ABCDE-1234567890", u"ABCDE", u"123456"},
                      IdCase{"fiftyBytesNoNul", "ABCDE-" + std::string(44, '9'), u"ABCDE", u"999999"},
                      IdCase{"longerThanTheBuffer", std::string(80, 'x'), u"xxxxx", u""},
                      IdCase{"blanksOnly", "      ", u"", u""}),
    kCaseName);

// ---- Clock values out of range, shown as "%4d-%02d-%02d %02d:%02d:%02d" -----

struct ClockCase {
    const char* name;
    const char* clock;
    const char16_t* shown;
};

class ClockOutOfRange : public MalformedAnswers, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockOutOfRange, ShowsTheNumbersAsTheyCame) {
    Recorder({"set", "clock", GetParam().clock});
    ASSERT_TRUE(LogIn());
    EXPECT_EQ(Normal().GetDlgItemText(kClock), GetParam().shown);
    Normal().SetDlgItemText(kClock, u"");
    EXPECT_EQ(Press(Normal(), kGetTime), std::vector<std::u16string>{});
    EXPECT_EQ(Normal().GetDlgItemText(kClock), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClockOutOfRange,
    ::testing::Values(ClockCase{"monthZero", "2024 0 1 0 0 0", u"2024-00-01 00:00:00"},
                      ClockCase{"monthThirteen", "2024 13 1 0 0 0", u"2024-13-01 00:00:00"},
                      ClockCase{"negative", "2024 -1 -5 -1 -1 -1", u"2024--1--5 -1:-1:-1"},
                      ClockCase{"yearFiveDigits", "99999 12 31 23 59 61", u"99999-12-31 23:59:61"},
                      ClockCase{"extremes", "-2147483648 2147483647 0 0 0 0",
                                u"-2147483648-2147483647-00 00:00:00"}),
    kCaseName);

// ---- Firmware version, read when the advanced window opens ------------------

struct FirmwareCase {
    const char* name;
    std::string version;
    std::u16string label;
};

class Firmware : public MalformedAnswers, public ::testing::WithParamInterface<FirmwareCase> {};

TEST_P(Firmware, LabelShowsAtMostTheFiftyBytesOfTheBuffer) {
    Recorder({"set", "firmware_version", GetParam().version});
    ASSERT_TRUE(LogIn());
    EXPECT_EQ(Press(Normal(), kSetting), std::vector<std::u16string>{});
    EXPECT_EQ(More().GetDlgItemText(kFirmwareLabel), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Firmware,
    ::testing::Values(FirmwareCase{"fiftyBytesNoNul", std::string(50, 'F'), std::u16string(50, u'F')},
                      FirmwareCase{"longerThanTheBuffer", std::string(49, 'G') + "HIJK", std::u16string(49, u'G') + u"H"},
                      // A byte the code page lacks fails the conversion: an empty text, not reported.
                      FirmwareCase{"byteNotInTheCodePage", "V\x81" "1", u""}),
    kCaseName);

// ---- Time zone and list indices far out of range -----------------------------

TEST_F(MalformedAnswers, TimezoneOfAllBitsReportsAndKeepsSliderAndLabel) {
    Recorder({"set", "timezone", "4294967295"});
    ASSERT_TRUE(LogIn());
    EXPECT_EQ(Press(Normal(), kSetting), Texts(kFirstAdvancedMessage, {kTimezoneReadMessage}));
    EXPECT_EQ(More().SliderGetPos(kSlider), 0);
    EXPECT_EQ(More().GetDlgItemText(kTimezoneLabel), u"");
}

struct IndexCase {
    const char* name;
    const char* field;
    const char* value;
    int box;
    int selection;
};

class IndexPastItsList : public MalformedAnswers, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(IndexPastItsList, LeavesTheBoxAsItWasWithoutAReport) {
    const IndexCase& c = GetParam();
    Recorder({"set", c.field, c.value});
    ASSERT_TRUE(LogIn());
    EXPECT_EQ(Press(Normal(), kSetting), std::vector<std::u16string>{});
    EXPECT_EQ(More().ComboGetCurSel(c.box), c.selection);
    EXPECT_TRUE(More().IsDlgItemEnabled(c.box));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndexPastItsList,
    ::testing::Values(IndexCase{"firstGroupAllBits", "resolution", "4294967295", kResolutionBox, 0},
                      IndexCase{"firstGroupFarPast", "resolution", "100000", kResolutionBox, 0},
                      IndexCase{"secondGroupAllBits", "loop_record", "4294967295", kLoopRecordBox, -1},
                      IndexCase{"secondGroupFarPast", "loop_record", "100000", kLoopRecordBox, -1}),
    kCaseName);

}  // namespace
