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

// Starts body in a child process that loops until it is killed.
pid_t Spawn(const std::function<void()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        _exit(1);
    }
    return pid;
}

// Lets the writer run for a random moment, then kills it.
void KillAtRandom(pid_t writer, std::mt19937& random) {
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 5000));
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
        const pid_t writer = Spawn([] {
            CLangIni lang;
            for (int n = 0;; ++n) lang.SaveLangSel(n % 2 + 1);
        });
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
        const pid_t writer = Spawn([] {
            if (!Open_Device() || !Login(RecorderState::kDefaultPassword, 6)) return;
            for (uint32_t n = 0;; ++n) {
                set_Resolution(n % 4);
                set_SoundVolume((n + 1) % 4);
            }
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
