#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <thread>

#include "CLangIni.h"
#include "CVelmoraApp.h"

namespace fs = std::filesystem;

namespace {

// A private runtime folder, a recorder state folder and a working folder for the
// copies of the tool that a test starts.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/velmora-app-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_root = folder;
        fs::create_directory(m_root / "runtime");
        fs::permissions(m_root / "runtime", fs::perms::owner_all);
        fs::create_directory(m_root / "recorder");
        fs::copy(VELMORA_DEMO_DIR, m_root / "work", fs::copy_options::recursive);
    }
    void TearDown() override {
        for (pid_t pid : m_children) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    pid_t Start(const fs::path& exe, const fs::path& workDir) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("XDG_RUNTIME_DIR", (m_root / "runtime").c_str(), 1);
            ::setenv("VELMORA_RECORDER_DIR", (m_root / "recorder").c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            if (::chdir(workDir.c_str()) != 0) ::_exit(127);
            ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        m_children.push_back(pid);
        return pid;
    }

    // True when a running copy named name accepts connections on its socket
    // (a socket file left by a killed copy refuses them).
    bool Serving(const std::string& name) const {
        const std::string path = (m_root / "runtime" / (name + ".socket")).string();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path) return false;
        path.copy(address.sun_path, path.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool accepted = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0) ::close(fd);
        return accepted;
    }

    bool WaitUntilServing(const std::string& name) const {
        for (int i = 0; i < 200; ++i) {
            if (Serving(name)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // The exit status of a child that must end by itself, or -1 if it keeps running.
    static int WaitForExit(pid_t pid) {
        for (int i = 0; i < 200; ++i) {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    static bool Running(pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) == 0; }

    fs::path m_root;
    std::vector<pid_t> m_children;
};

TEST_F(AppTest, SecondCopyEndsAtOnceAndTheFirstGoesOn) {
    const pid_t first = Start(VELMORA_EXE, m_root / "work");
    ASSERT_TRUE(WaitUntilServing("velmora"));
    const pid_t second = Start(VELMORA_EXE, m_root / "work");
    EXPECT_EQ(WaitForExit(second), 0);
    EXPECT_TRUE(Running(first));
}

TEST_F(AppTest, KilledCopyLeavesNoLockBehind) {
    const pid_t first = Start(VELMORA_EXE, m_root / "work");
    ASSERT_TRUE(WaitUntilServing("velmora"));
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    m_children.clear();
    ASSERT_FALSE(Serving("velmora"));
    const pid_t next = Start(VELMORA_EXE, m_root / "work");
    ASSERT_TRUE(WaitUntilServing("velmora"));
    const pid_t another = Start(VELMORA_EXE, m_root / "work");
    EXPECT_EQ(WaitForExit(another), 0);
    EXPECT_TRUE(Running(next));
}

TEST_F(AppTest, ExecutablesWithDifferentNamesDoNotBlockEachOther) {
    const fs::path renamed = fs::path(VELMORA_EXE).parent_path() / "velmora-other-name";
    fs::copy_file(VELMORA_EXE, renamed, fs::copy_options::overwrite_existing);
    const pid_t first = Start(VELMORA_EXE, m_root / "work");
    const pid_t second = Start(renamed, m_root / "work");
    EXPECT_TRUE(WaitUntilServing("velmora"));
    EXPECT_TRUE(WaitUntilServing("velmora-other-name"));
    EXPECT_TRUE(Running(first));
    EXPECT_TRUE(Running(second));
    fs::remove(renamed);
}

// The real missing-file path, in a child: the box is answered, then the process ends with -1.
TEST_F(AppTest, MissingLanguageFileShowsTheBoxCreatesConfigAndEndsWithMinusOne) {
    const fs::path empty = m_root / "empty";
    fs::create_directory(empty);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(empty.c_str()) != 0) ::_exit(127);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        int argc = 1;
        char name[] = "velmora";
        char* argv[] = {name, nullptr};
        QApplication application(argc, argv);
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(top);
                if (box && box->isVisible() && box->text() == QStringLiteral("have not found file!")) {
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        answer.start(10);
        CLangIni::SetMissingFileHandler(CVelmoraApp::ReportMissingLanguageFile);
        CLangIni lang;
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 255);
    EXPECT_TRUE(fs::is_directory(empty / "config"));
}

}  // namespace
