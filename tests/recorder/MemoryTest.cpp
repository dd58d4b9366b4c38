#include <climits>
#include <cstring>
#include <ctime>

#include "DravinProtocol.h"
#include "RecorderFixture.h"
#include "RecorderFunctions.h"

namespace {

struct ListFunctions {
    int row;
    bool (*get)(uint32_t*);
    bool (*set)(int32_t);
};

constexpr ListFunctions kLists[] = {
#define VELMORA_LIST_ROW(fn, row) {param::row, &get_##fn, &set_##fn},
    VELMORA_LIST_PARAMS(VELMORA_LIST_ROW)
#undef VELMORA_LIST_ROW
};

uint32_t Get(const ListFunctions& list) {
    uint32_t value = 12345;
    EXPECT_TRUE(list.get(&value));
    return value;
}

class RecorderMemory : public RecorderFixture {
protected:
    void SetUp() override {
        RecorderFixture::SetUp();
        AttachAndLogin();
    }
};

TEST_F(RecorderMemory, ListSetsOutsideTheRangeChangeNothing) {
    for (const ListFunctions& list : kLists) {
        const param::Range& range = param::kRanges[list.row];
        SCOPED_TRACE(range.name);
        EXPECT_EQ(Get(list), static_cast<uint32_t>(range.defaultValue));
        const int32_t last = range.count - 1;
        const struct {
            int32_t value;
            bool accepted;
            uint32_t stored;
        } cases[] = {
            {last, true, static_cast<uint32_t>(last)},
            {range.count, false, static_cast<uint32_t>(last)},
            {-1, true, static_cast<uint32_t>(last)},
            {0, true, 0},
            {-2, false, 0},
            {INT32_MIN, false, 0},
            {INT32_MAX, false, 0},
        };
        for (const auto& c : cases) {
            EXPECT_EQ(list.set(c.value), c.accepted) << c.value;
            EXPECT_EQ(Get(list), c.stored) << c.value;
        }
    }
}

TEST_F(RecorderMemory, RawStoredValuesAreAnsweredAsTheyStand) {
    for (const ListFunctions& list : kLists) {
        Control({"set", param::kRanges[list.row].name, "4000000000"});
        EXPECT_EQ(Get(list), 4000000000u) << param::kRanges[list.row].name;
    }
    Control({"set", "timezone", "4294967295"});
    uint32_t zone = 0;
    ASSERT_TRUE(get_Timezone_info(&zone));
    EXPECT_EQ(zone, 4294967295u);
}

TEST_F(RecorderMemory, UnsupportedParametersAnswerTheirCount) {
    for (const ListFunctions& list : kLists) {
        if (!recorder::CanBeUnsupported(list.row)) continue;
        const param::Range& range = param::kRanges[list.row];
        SCOPED_TRACE(range.name);
        Control({"set", std::string(range.name) + "_supported", "0"});
        EXPECT_EQ(Get(list), static_cast<uint32_t>(range.count));
        EXPECT_TRUE(list.set(-1));
        EXPECT_FALSE(list.set(0));
        Control({"set", std::string(range.name) + "_supported", "1"});
        EXPECT_EQ(Get(list), static_cast<uint32_t>(range.defaultValue));
    }
}

TEST_F(RecorderMemory, TimeZoneTakesZeroToTwentyFour) {
    const struct {
        int32_t value;
        bool accepted;
    } cases[] = {{0, true}, {24, true}, {25, false}, {-1, false}, {INT32_MIN, false}};
    uint32_t expected = param::kTimezoneDefault;
    for (const auto& c : cases) {
        EXPECT_EQ(set_Timezone_info(c.value), c.accepted) << c.value;
        if (c.accepted) expected = static_cast<uint32_t>(c.value);
        uint32_t zone = 99;
        ASSERT_TRUE(get_Timezone_info(&zone));
        EXPECT_EQ(zone, expected) << c.value;
    }
}

TEST_F(RecorderMemory, RestoreDefaultResetsOnlyTheRecordingParameters) {
    for (const ListFunctions& list : kLists) {
        const param::Range& range = param::kRanges[list.row];
        ASSERT_TRUE(list.set((range.defaultValue + 1) % range.count));
    }
    ASSERT_TRUE(set_Timezone_info(3));
    ASSERT_TRUE(set_id("ABCDE-123456", 12));
    ASSERT_TRUE(alert_passwd("654321", 6));
    Control({"set", "pre_record_supported", "0"});
    const RecorderState before = State();

    ASSERT_TRUE(restore_default());
    RecorderState expected = before;
    expected.RestoreDefaults();
    EXPECT_EQ(State(), expected);
    EXPECT_NE(State(), before);
}

TEST_F(RecorderMemory, PasswordChangeTakesOneToSixCharacters) {
    const struct {
        const char* password;
        bool accepted;
    } cases[] = {{"654321", true}, {"a", true}, {"1234567", false}, {"", false}};
    std::string current = RecorderState::kDefaultPassword;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        EXPECT_EQ(alert_passwd(c.password, 6), c.accepted);
        if (c.accepted) current = c.password;
        ASSERT_TRUE(Open_Device());
        EXPECT_TRUE(Login(current.c_str(), 6));
    }
    EXPECT_FALSE(alert_passwd("123456", 5));
}

TEST_F(RecorderMemory, SetIdNeedsATextThatFitsAndItsCharacterCount) {
    const std::string longest(49, 'x');
    const std::string tooLong(50, 'x');
    const struct {
        const char* text;
        int32_t length;
        bool accepted;
    } cases[] = {
        {"ABCDE-123456", 12, true}, {"ABCDE-123456", 13, false}, {"ABCDE-123456", 0, false},
        {"ABCDE-123456", -1, false}, {"", 0, false},          {longest.c_str(), 49, true},
        {tooLong.c_str(), 50, false}, {"\xc3\x84" "BCDE-123456", 12, true},
    };
    for (const auto& c : cases) {
        const std::string before = State().idText;
        EXPECT_EQ(set_id(c.text, c.length), c.accepted) << c.text;
        EXPECT_EQ(State().idText, c.accepted ? std::string(c.text) : before) << c.text;
    }
}

// The recorder never writes past the 50 bytes, and writes a NUL only when it fits.
TEST_F(RecorderMemory, TextsFillAtMostFiftyBytes) {
    const struct {
        size_t length;
        bool terminated;
    } cases[] = {{0, true}, {49, true}, {50, false}, {80, false}};
    for (const auto& c : cases) {
        const std::string text(c.length, 'v');
        Control({"set", "firmware_version", text});
        Control({"set", "id_text", text});
        for (bool id : {false, true}) {
            char buffer[64];
            std::memset(buffer, '#', sizeof buffer);
            int32_t n = 0;
            ASSERT_TRUE(id ? get_id(buffer, &n) : get_firmware_version(buffer));
            const size_t written = std::min<size_t>(c.length, 50);
            EXPECT_EQ(std::string(buffer, written), text.substr(0, written));
            EXPECT_EQ(buffer[written], c.terminated ? '\0' : '#') << c.length;
            EXPECT_EQ(std::string(buffer + 51, 13), std::string(13, '#'));
        }
    }
}

int64_t Seconds(const int32_t (&t)[6]) {
    std::tm parts{};
    parts.tm_year = t[0] - 1900;
    parts.tm_mon = t[1] - 1;
    parts.tm_mday = t[2];
    parts.tm_hour = t[3];
    parts.tm_min = t[4];
    parts.tm_sec = t[5];
    return timegm(&parts);
}

TEST_F(RecorderMemory, TheClockRunsFromWhereItWasSet) {
    ASSERT_TRUE(set_time(2024, 2, 29, 23, 59, 58));
    int32_t t[6] = {};
    ASSERT_TRUE(get_time(&t[0], &t[1], &t[2], &t[3], &t[4], &t[5]));
    const int64_t elapsed = Seconds(t) - Seconds({2024, 2, 29, 23, 59, 58});
    EXPECT_GE(elapsed, 0);
    EXPECT_LT(elapsed, 600);  // the clock moved on from the set time, not from the PC's
}

TEST_F(RecorderMemory, InvalidClockSetsChangeNothing) {
    const int32_t cases[][6] = {
        {2024, 0, 1, 0, 0, 0},  {2024, 13, 1, 0, 0, 0}, {2023, 2, 29, 0, 0, 0},
        {2024, 4, 31, 0, 0, 0}, {2024, 1, 0, 0, 0, 0},  {2024, 1, 1, 24, 0, 0},
        {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60}, {1999, 12, 31, 0, 0, 0},
        {2100, 1, 1, 0, 0, 0},  {-1, 1, 1, 0, 0, 0},    {2024, 1, 1, -1, 0, 0},
    };
    Control({"set", "clock_offset", "1000"});
    for (const auto& c : cases) {
        EXPECT_FALSE(set_time(c[0], c[1], c[2], c[3], c[4], c[5])) << c[0] << "-" << c[1];
        EXPECT_EQ(State().clockOffset, 1000);
    }
}

TEST_F(RecorderMemory, AFrozenRawClockIsAnsweredAsItStands) {
    Control({"set", "clock", "99999 13 0 -1 61 61"});
    int32_t t[6] = {};
    ASSERT_TRUE(get_time(&t[0], &t[1], &t[2], &t[3], &t[4], &t[5]));
    EXPECT_EQ(std::vector<int32_t>(t, t + 6), (std::vector<int32_t>{99999, 13, 0, -1, 61, 61}));
    ASSERT_TRUE(set_time(2030, 6, 1, 8, 0, 0));
    EXPECT_FALSE(State().clockRaw.has_value());
}

}  // namespace
