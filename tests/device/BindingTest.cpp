#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "RecorderFixture.h"

extern char** environ;

namespace {

std::string RunCapturing(const std::vector<std::string>& command,
                         const std::vector<std::string>& extraEnv) {
    std::vector<std::string> env = extraEnv;
    for (char** e = environ; *e; ++e) {
        if (std::string(*e).rfind("LD_LIBRARY_PATH=", 0) != 0) env.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> words = command;
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) return "";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(out[0]);
    if (spawned == 0) waitpid(pid, nullptr, 0);
    return text;
}

using ProtocolBinding = RecorderFixture;

TEST_F(ProtocolBinding, TheProgramNamesTheLibraryAndLooksNextToItself) {
    const std::string dynamic = RunCapturing({VELMORA_READELF, "-d", VELMORA_PROBE}, {});
    EXPECT_NE(dynamic.find("(NEEDED)             Shared library: [libDravin_protocol.so]"),
              std::string::npos) << dynamic;
    EXPECT_NE(dynamic.find("(RUNPATH)            Library runpath: [$ORIGIN]"),
              std::string::npos) << dynamic;
}

TEST_F(ProtocolBinding, ALibraryFirstOnTheLibraryPathReplacesTheRecorder) {
    EXPECT_EQ(RunCapturing({VELMORA_PROBE}, {}), "detached\n");
    EXPECT_EQ(RunCapturing({VELMORA_PROBE}, {"LD_LIBRARY_PATH=" VELMORA_FAKE_PROTOCOL_DIR}),
              "attached\n");
}

}  // namespace
