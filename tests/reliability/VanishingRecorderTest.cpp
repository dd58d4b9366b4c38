#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "WindowChainFixture.h"

namespace {

constexpr int kFirstAdvancedMessage = 256;
constexpr int kFirstBasicMessage = 100;
constexpr int kGetTimeFailed = 0;
constexpr int kRecorderLost = 5;
constexpr int kFirstLoginMessage = 70;
// Read and write messages of the advanced window, in the order of its calls.
const std::vector<int> kReadsFromGps = {6, 7, 9, 10, 11, 29, 0, 2, 31, 32};
const std::vector<int> kWritesFromGps = {16, 17, 19, 20, 21, 28, 1, 3, 30, 27};
const std::vector<int> kEveryWrite = {14, 15, 16, 17, 19, 20, 21, 28, 1, 3, 30, 27};

struct VanishCase {
    const char* name;
    const char* delayed;  // the call during whose wait the recorder goes
    bool duringWrite;
};

void PrintTo(const VanishCase& c, std::ostream* out) { *out << c.name; }

class VanishingRecorder : public WindowChainFixture, public ::testing::WithParamInterface<VanishCase> {
protected:
    // Detaches the recorder from another thread while the window thread waits in the call.
    void DetachDuring(const std::function<void()>& action) {
        Recorder({"delay", GetParam().delayed, "400"});
        std::thread detacher([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            Recorder({"detach"});
        });
        action();
        detacher.join();
    }
};

TEST_P(VanishingRecorder, EveryLaterCallReportsAndTheLoginWindowTakesOver) {
    const VanishCase& c = GetParam();
    ASSERT_TRUE(LogIn());
    std::vector<std::u16string> reads;
    std::vector<std::u16string> writes;
    if (c.duringWrite) {
        ASSERT_EQ(Press(Normal(), kSetting), std::vector<std::u16string>{});
        DetachDuring([&] { writes = Press(More(), kSetAndReturn); });
        EXPECT_EQ(writes, Texts(kFirstAdvancedMessage, kWritesFromGps));
    } else {
        DetachDuring([&] { reads = Press(Normal(), kSetting); });
        EXPECT_EQ(reads, Texts(kFirstAdvancedMessage, kReadsFromGps));
        ASSERT_TRUE(More().IsWindowVisible());
        EXPECT_EQ(Press(More(), kSetAndReturn), Texts(kFirstAdvancedMessage, kEveryWrite));
    }
    // Back in the basic window, whose calls fail too.
    ASSERT_TRUE(Normal().IsWindowVisible());
    EXPECT_EQ(Press(Normal(), kGetTime), Texts(kFirstBasicMessage, {kGetTimeFailed}));

    DeviceChange();
    EXPECT_TRUE(Login().IsWindowVisible());
    EXPECT_FALSE(Normal().IsWindowVisible());
    EXPECT_EQ(Login().GetDlgItemText(kLoginStatus), Text(kFirstLoginMessage + kRecorderLost));
    EXPECT_FALSE(Login().m_bLoggedIn);
}

INSTANTIATE_TEST_SUITE_P(Cases, VanishingRecorder,
                         ::testing::Values(VanishCase{"duringReadAll", "get_Gps", false},
                                           VanishCase{"duringWriteAll", "set_Gps", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
