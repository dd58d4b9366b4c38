#include "RecorderFixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DravinProtocol.h"
#include "RecorderControl.h"
#include "StateCodec.h"
#include "StateStore.h"

extern char** environ;

namespace {

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-rec-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

}  // namespace

void RecorderFixture::SetUp() {
    m_dir = MakeTempDir();
    m_scratch = MakeTempDir();
    ASSERT_FALSE(m_dir.empty());
    ASSERT_FALSE(m_scratch.empty());
    setenv("VELMORA_RECORDER_DIR", m_dir.c_str(), 1);
}

void RecorderFixture::TearDown() {
    unsetenv("VELMORA_RECORDER_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
    std::filesystem::remove_all(m_scratch, ignored);
}

RecorderFixture::ToolResult RecorderFixture::Tool(const std::vector<std::string>& args) const {
    const std::string outPath = m_scratch + "/out";
    const std::string errPath = m_scratch + "/err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> words = {VELMORA_RECORDER_TOOL};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    ToolResult result;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

void RecorderFixture::Control(const std::vector<std::string>& args) const {
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RecorderControl::Main(args, out, err), RecorderControl::kOk) << err.str();
}

RecorderState RecorderFixture::State() const {
    RecorderState state;
    EXPECT_TRUE(StateStore(m_dir).Read(state));
    return state;
}

std::vector<std::string> RecorderFixture::JournalEntries() const {
    std::vector<std::string> entries;
    std::istringstream lines(ReadFile(StateStore(m_dir).JournalPath()));
    for (std::string line; std::getline(lines, line);) {
        const size_t end = line.find("] ");
        entries.push_back(end == std::string::npos ? line : line.substr(end + 2));
    }
    return entries;
}

std::string RecorderFixture::LastJournalEntry() const {
    const auto entries = JournalEntries();
    return entries.empty() ? std::string() : entries.back();
}

void RecorderFixture::AttachAndLogin() const {
    Control({"attach"});
    ASSERT_TRUE(Open_Device());
    ASSERT_TRUE(Login(RecorderState::kDefaultPassword, 6));
}

std::string RecorderFixture::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
