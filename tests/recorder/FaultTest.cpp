#include <chrono>
#include <future>
#include <thread>

#include "DravinProtocol.h"
#include "RecorderFixture.h"

namespace {

class RecorderFaults : public RecorderFixture {
protected:
    void SetUp() override {
        RecorderFixture::SetUp();
        AttachAndLogin();
    }

    // Waits until the journal shows that a delayed call has begun waiting.
    bool WaitForJournal(const std::string& entry) const {
        for (int i = 0; i < 3000; ++i) {
            for (const std::string& line : JournalEntries()) {
                if (line == entry) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

bool GetGps() {
    uint32_t value = 0;
    return get_Gps(&value);
}

TEST_F(RecorderFaults, AFaultLastsForItsCount) {
    const struct {
        const char* mode;
        std::vector<bool> answers;
    } cases[] = {
        {"once", {false, true, true}},
        {"2", {false, false, true}},
        {"always", {false, false, false, false}},
        {"clear", {true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        if (std::string(c.mode) != "clear") Control({"fail", "get_Gps", "clear"});
        Control({"fail", "get_Gps", c.mode});
        std::vector<bool> answers;
        for (size_t i = 0; i < c.answers.size(); ++i) answers.push_back(GetGps());
        EXPECT_EQ(answers, c.answers);
    }
}

TEST_F(RecorderFaults, AFailedCallChangesNothingAndOnlyItsFunctionFails) {
    Control({"fail", "set_Resolution", "always"});
    EXPECT_FALSE(set_Resolution(2));
    uint32_t value = 0;
    ASSERT_TRUE(get_Resolution(&value));
    EXPECT_EQ(value, 0u);
    Control({"fail", "Check_Device_state"});
    EXPECT_FALSE(Check_Device_state());
    EXPECT_TRUE(Check_Device_state());
}

TEST_F(RecorderFaults, AFaultSetByTheToolInAnotherProcessApplies) {
    const ToolResult result = Tool({"fail", "get_Gps", "once"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_FALSE(GetGps());
    EXPECT_TRUE(GetGps());
}

// A delayed call waits without holding the recorder, then answers for the state
// it finds: here a detach arrived meanwhile.
TEST_F(RecorderFaults, ADelayedCallAnswersForTheStateAfterTheDelay) {
    Control({"delay", "get_Gps", "2000"});
    auto call = std::async(std::launch::async, GetGps);
    ASSERT_TRUE(WaitForJournal("get_Gps: waiting 2000 ms"));
    Control({"detach"});
    EXPECT_FALSE(call.get());
    EXPECT_EQ(LastJournalEntry(), "get_Gps(&value) -> false");
}

TEST_F(RecorderFaults, ADelayedCallStillAnswersAndZeroClearsTheDelay) {
    Control({"delay", "get_Gps", "50"});
    EXPECT_TRUE(GetGps());
    Control({"delay", "get_Gps", "0"});
    EXPECT_TRUE(GetGps());
    const auto entries = JournalEntries();
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "get_Gps: waiting 50 ms"), 1);
}

}  // namespace
