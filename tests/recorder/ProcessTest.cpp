#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "DravinProtocol.h"
#include "RecorderFixture.h"
#include "StateCodec.h"
#include "StateStore.h"

// The virtual recorder's own extra export.
extern "C" const char* VirtualRecorder_EventFolder();

namespace {

// Runs body in a child process; its result becomes the exit status.
pid_t Spawn(const std::function<bool()>& body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body() ? 0 : 1);
    return pid;
}

bool Succeeded(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') names.insert(entry->d_name);
        }
        closedir(dir);
    }
    return names;
}

bool OpenAndLogin() { return Open_Device() && Login(RecorderState::kDefaultPassword, 6); }

using RecorderProcesses = RecorderFixture;

TEST_F(RecorderProcesses, MemoryPersistsAcrossProcesses) {
    Control({"attach"});
    ASSERT_TRUE(Succeeded(Spawn([] { return OpenAndLogin() && set_Resolution(3); })));
    const ToolResult status = Tool({"status"});
    ASSERT_EQ(status.status, 0) << status.err;
    EXPECT_NE(status.out.find("\nresolution=3\n"), std::string::npos) << status.out;

    ASSERT_EQ(Tool({"set", "sound_volume", "1"}).status, 0);
    ASSERT_TRUE(OpenAndLogin());
    uint32_t value = 0;
    ASSERT_TRUE(get_SoundVolume(&value));
    EXPECT_EQ(value, 1u);
}

// Each process keeps changing its own parameter; with the lock, neither write
// ever undoes the other's.
TEST_F(RecorderProcesses, TwoProcessesAtOnceLoseNoUpdate) {
    constexpr int kRounds = 100;
    Control({"attach"});
    const pid_t first = Spawn([] {
        bool ok = OpenAndLogin();
        for (int i = 0; i < kRounds; ++i) ok = set_Resolution(i % 4) && ok;
        return ok;
    });
    const pid_t second = Spawn([] {
        bool ok = OpenAndLogin();
        for (int i = 0; i < kRounds; ++i) ok = set_SoundVolume((i + 1) % 4) && ok;
        return ok;
    });
    ASSERT_TRUE(Succeeded(first));
    ASSERT_TRUE(Succeeded(second));
    const RecorderState state = State();
    EXPECT_EQ(state.params[param::Resolution], (kRounds - 1) % 4u);
    EXPECT_EQ(state.params[param::SoundVolume], kRounds % 4u);
    const auto entries = JournalEntries();
    EXPECT_EQ(entries.size(), 2u * (kRounds + 2));
    for (const std::string& entry : entries) {
        EXPECT_TRUE(entry.ends_with("-> true")) << entry;
    }
}

// A writer killed at any moment leaves either the state before or after its
// write, complete.
TEST_F(RecorderProcesses, AWriterKilledMidWriteLeavesACompleteState) {
    const auto Version = [](uint64_t n) { return std::to_string(n) + std::string(StateCodec::kMaxTextBytes - 20, 'v'); };
    std::mt19937 random(12345);
    uint64_t round = 0;
    for (int kill = 0; kill < 40; ++kill) {
        const pid_t writer = Spawn([&] {
            for (uint64_t n = round;; ++n) {
                StateStore(Dir()).Update([&](RecorderState& s) {
                    s.firmwareVersion = Version(n);
                    s.generation = n;
                });
            }
            return true;
        });
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);

        const std::string text = ReadFile(StateStore(Dir()).StatePath());
        if (text.empty()) continue;  // killed before its first write
        const RecorderState state = StateCodec::Parse(text);
        EXPECT_TRUE(StateCodec::Serialise(state) == text) << "round " << kill;
        EXPECT_TRUE(state.firmwareVersion == Version(state.generation)) << "round " << kill;
        round = state.generation + 1;
    }
}

TEST_F(RecorderProcesses, TheEventFolderChangesOnEveryAttachAndDetach) {
    const std::string folder = VirtualRecorder_EventFolder();
    EXPECT_EQ(folder.rfind(Dir(), 0), 0u) << folder;
    std::set<std::string> seen = {""};
    const auto Changed = [&] {
        const auto now = Entries(folder);
        const std::string names = now.empty() ? "" : *now.begin();
        return now.size() <= 1 && seen.insert(names).second;
    };
    Control({"attach"});
    EXPECT_TRUE(Changed());
    Control({"attach"});
    EXPECT_FALSE(Changed());
    ASSERT_EQ(Tool({"detach"}).status, 0);
    EXPECT_TRUE(Changed());
    Control({"attach"});
    EXPECT_TRUE(Changed());
    ASSERT_TRUE(OpenAndLogin());
    ASSERT_TRUE(enter_udisk());
    EXPECT_TRUE(Changed());
}

}  // namespace
