#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "CLangIni.h"
#include "DravinProtocol.h"
#include "RecorderFixture.h"
#include "StateCodec.h"
#include "StateStore.h"
#include "TempWorkDir.h"

namespace {

constexpr int kKills = 300;

// Starts a child that runs setup, tells the parent it is about to write, then
// loops over write until it is killed. Returns once the child is writing.
pid_t SpawnWriter(const std::function<bool()>& setup, const std::function<void(uint32_t)>& write) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(ready[0]);
        if (!setup()) _exit(1);
        const char byte = 1;
        if (::write(ready[1], &byte, 1) != 1) _exit(1);
        for (uint32_t n = 0;; ++n) write(n);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    EXPECT_TRUE(started) << "the writer could not start";
    return pid;
}

// Lets the writer run for a random moment, then kills it.
void KillAtRandom(pid_t writer, std::mt19937& random) {
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    ::kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
}

std::string LangFileWith(int sel) {
    return "; texts\r\n[LanguageType]\r\n0=English\r\n1=Deutsch\r\n2=end\r\n[LanguageSel]\r\nlangsel=" +
           std::to_string(sel) + "\r\n[English]\r\n0=Ready\r\n";
}

using KilledLangWriter = TempWorkDir;

TEST_F(KilledLangWriter, LeavesTheOldOrTheNewFileComplete) {
    WriteLangIni(LangFileWith(0));
    std::mt19937 random(2024);
    int changed = 0;
    for (int round = 0; round < kKills; ++round) {
        CLangIni* lang = nullptr;
        const pid_t writer = SpawnWriter([&] { return (lang = new CLangIni)->m_nLoadState == 1; },
                                         [&](uint32_t n) { lang->SaveLangSel(static_cast<int>(n % 2 + 1)); });
        KillAtRandom(writer, random);
        const std::string text = ReadFile(LangIniPath());
        const bool complete = text == LangFileWith(0) || text == LangFileWith(1) || text == LangFileWith(2);
        ASSERT_TRUE(complete) << "round " << round << ":\n" << text;
        changed += text != LangFileWith(0);
    }
    // The writer did get to write, so the kills did land during writes.
    EXPECT_GT(changed, 0);
}

using KilledRecorderWriter = RecorderFixture;

TEST_F(KilledRecorderWriter, LeavesTheOldOrTheNewMemoryComplete) {
    Control({"attach"});
    std::mt19937 random(99);
    const std::string statePath = StateStore(Dir()).StatePath();
    int changed = 0;
    for (int round = 0; round < kKills; ++round) {
        const pid_t writer = SpawnWriter([] { return Open_Device() && Login(RecorderState::kDefaultPassword, 6); },
                                         [](uint32_t n) {
                                             set_Resolution(n % 4);
                                             set_SoundVolume((n + 1) % 4);
                                         });
        const std::string before = ReadFile(statePath);
        KillAtRandom(writer, random);
        const std::string text = ReadFile(statePath);
        const RecorderState state = StateCodec::Parse(text);
        ASSERT_TRUE(StateCodec::Serialise(state) == text) << "round " << round << ":\n" << text;
        ASSERT_TRUE(state.attached) << "round " << round;
        ASSERT_LT(state.params[param::Resolution], 4u) << "round " << round;
        changed += text != before;
    }
    EXPECT_GT(changed, 0);
}

}  // namespace
