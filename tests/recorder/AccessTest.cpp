#include <functional>
#include <map>

#include "DravinProtocol.h"
#include "RecorderFixture.h"
#include "RecorderFunctions.h"
#include "StateStore.h"

namespace {

using recorder::Access;

// Every protocol function, called with arguments it accepts once logged in.
const std::map<std::string_view, std::function<bool()>>& ValidCalls() {
    static const std::map<std::string_view, std::function<bool()>> calls = {
        {"Check_Device_state", [] { return Check_Device_state(); }},
        {"Open_Device", [] { return Open_Device(); }},
        {"Login", [] { return Login("000000", 6); }},
        {"alert_passwd", [] { return alert_passwd("123456", 6); }},
        {"get_id", [] { char b[50] = {}; int32_t n = 0; return get_id(b, &n); }},
        {"set_id", [] { return set_id("ABCDE-123456", 12); }},
        {"get_firmware_version", [] { char b[50] = {}; return get_firmware_version(b); }},
        {"get_time", [] { int32_t t[6]; return get_time(t, t + 1, t + 2, t + 3, t + 4, t + 5); }},
        {"set_time", [] { return set_time(2024, 2, 29, 12, 0, 0); }},
        {"enter_udisk", [] { return enter_udisk(); }},
        {"restore_default", [] { return restore_default(); }},
#define VELMORA_VALID_LIST_CALLS(fn, row)                          \
    {"get_" #fn, [] { uint32_t v = 0; return get_##fn(&v); }},     \
    {"set_" #fn, [] { return set_##fn(0); }},
        VELMORA_LIST_PARAMS(VELMORA_VALID_LIST_CALLS)
#undef VELMORA_VALID_LIST_CALLS
        {"get_Timezone_info", [] { uint32_t v = 0; return get_Timezone_info(&v); }},
        {"set_Timezone_info", [] { return set_Timezone_info(12); }},
    };
    return calls;
}

enum class Level { Detached, Attached, Opened, LoggedIn };

bool Reaches(Level level, Access access) {
    switch (access) {
    case Access::Attached: return level >= Level::Attached;
    case Access::Opened: return level >= Level::Opened;
    case Access::LoggedIn: return level >= Level::LoggedIn;
    }
    return false;
}

class RecorderAccess : public RecorderFixture {
protected:
    // A fresh recorder at the given level; a new attach voids any older session.
    void Reach(Level level) {
        Control({"reset"});
        Control({"detach"});
        if (level >= Level::Attached) Control({"attach"});
        if (level >= Level::Opened) {
            ASSERT_TRUE(Open_Device());
        }
        if (level >= Level::LoggedIn) {
            ASSERT_TRUE(Login(RecorderState::kDefaultPassword, 6));
        }
    }
};

TEST_F(RecorderAccess, EachFunctionAnswersOnlyOnceItsStepIsReached) {
    ASSERT_EQ(ValidCalls().size(), recorder::kFunctions.size());
    for (const recorder::FunctionInfo& info : recorder::kFunctions) {
        for (Level level : {Level::Detached, Level::Attached, Level::Opened, Level::LoggedIn}) {
            SCOPED_TRACE(std::string(info.name) + " at level " +
                         std::to_string(static_cast<int>(level)));
            Reach(level);
            EXPECT_EQ(ValidCalls().at(info.name)(), Reaches(level, info.access));
        }
    }
}

TEST_F(RecorderAccess, DetachVoidsTheSessionUntilOpenedAndLoggedInAgain) {
    AttachAndLogin();
    uint32_t value = 0;
    ASSERT_TRUE(get_Gps(&value));
    Control({"detach"});
    Control({"attach"});
    EXPECT_FALSE(get_Gps(&value));
    ASSERT_TRUE(Open_Device());
    EXPECT_FALSE(get_Gps(&value));
    ASSERT_TRUE(Login("000000", 6));
    EXPECT_TRUE(get_Gps(&value));
}

TEST_F(RecorderAccess, LoginNeedsTheStoredPasswordAndTheLengthSix) {
    const struct {
        const char* password;
        int32_t length;
        bool accepted;
    } cases[] = {
        {"000000", 6, true},   {"000000", 5, false}, {"000000", 7, false},
        {"00000", 6, false},   {"0000000", 6, false}, {"", 6, false},
        {nullptr, 6, false},   {"000001", 6, false},
    };
    Control({"attach"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password ? c.password : "NULL");
        ASSERT_TRUE(Open_Device());
        EXPECT_EQ(Login(c.password, c.length), c.accepted);
        uint32_t value = 0;
        EXPECT_EQ(get_Resolution(&value), c.accepted);
    }
}

TEST_F(RecorderAccess, AFailedLoginEndsTheLogin) {
    AttachAndLogin();
    EXPECT_FALSE(Login("999999", 6));
    uint32_t value = 0;
    EXPECT_FALSE(get_Resolution(&value));
}

TEST_F(RecorderAccess, EnterUdiskLeavesTheRecorderDetached) {
    AttachAndLogin();
    ASSERT_TRUE(enter_udisk());
    EXPECT_FALSE(Check_Device_state());
    EXPECT_FALSE(State().attached);
    Control({"attach"});
    EXPECT_TRUE(Check_Device_state());
    uint32_t value = 0;
    EXPECT_FALSE(get_Resolution(&value));
}

TEST_F(RecorderAccess, NullPointersAnswerFalse) {
    AttachAndLogin();
    int32_t t = 0;
    EXPECT_FALSE(get_id(nullptr, &t));
    EXPECT_FALSE(set_id(nullptr, 12));
    EXPECT_FALSE(get_firmware_version(nullptr));
    EXPECT_FALSE(get_time(&t, &t, &t, nullptr, &t, &t));
    EXPECT_FALSE(get_Resolution(nullptr));
    EXPECT_FALSE(get_Timezone_info(nullptr));
    EXPECT_FALSE(alert_passwd(nullptr, 6));
    char buffer[50] = {};
    EXPECT_TRUE(get_id(buffer, nullptr));
}

}  // namespace
