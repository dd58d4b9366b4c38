#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "SingleInstance.h"

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

// XDG_RUNTIME_DIR and TMPDIR point into a fresh folder of the test's own.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/velmora-instance-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_root = folder;
        fs::create_directory(Runtime());
        fs::permissions(Runtime(), fs::perms::owner_all, fs::perm_options::replace);
        fs::create_directory(Tmp());
        setenv("XDG_RUNTIME_DIR", Runtime().c_str(), 1);
        setenv("TMPDIR", Tmp().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("TMPDIR");
        fs::remove_all(m_root);
    }

    std::string Runtime() const { return m_root + "/runtime"; }
    std::string Tmp() const { return m_root + "/tmp"; }
    std::string Fallback() const { return Tmp() + "/velmora-" + std::to_string(::getuid()); }

    std::string m_root;
};

struct FolderCase {
    const char* name;
    std::function<void(const std::string& runtime)> spoil;
    bool runtimeUsed;
};

class RuntimeFolder : public SingleInstanceTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(RuntimeFolder, OnlyAUserOnlyFolderOfOurOwnIsUsed) {
    GetParam().spoil(Runtime());
    const std::string folder = SingleInstance::Folder();
    EXPECT_EQ(folder, GetParam().runtimeUsed ? Runtime() : Fallback());
    EXPECT_EQ(ModeOf(folder) & 0777, 0700u);
}

const auto kChmod = [](mode_t mode) {
    return [mode](const std::string& path) { ASSERT_EQ(::chmod(path.c_str(), mode), 0); };
};

INSTANTIATE_TEST_SUITE_P(
    Cases, RuntimeFolder,
    ::testing::Values(FolderCase{"private", [](const std::string&) {}, true},
                      FolderCase{"readableByAll", kChmod(0755), false},
                      FolderCase{"groupWritable", kChmod(0770), false},
                      FolderCase{"otherExecutable", kChmod(0701), false},
                      FolderCase{"symlinkToPrivateFolder",
                                 [](const std::string& path) {
                                     fs::rename(path, path + ".real");
                                     fs::create_directory_symlink(path + ".real", path);
                                 },
                                 false},
                      FolderCase{"ownedByAnotherUser",
                                 [](const std::string& path) {
                                     // Only root can give a folder away; others test the rest.
                                     if (::getuid() != 0) GTEST_SKIP() << "needs root to chown";
                                     ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
                                 },
                                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleInstanceTest, FallbackFolderOfAnotherModeIsRefused) {
    ::chmod(Runtime().c_str(), 0755);
    fs::create_directory(Fallback());
    ::chmod(Fallback().c_str(), 0755);
    EXPECT_EQ(SingleInstance::Folder(), "");
    SingleInstance copy("velmora");
    EXPECT_FALSE(copy.TryLock());
}

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

// Asks from a second thread of control: the first copy must keep serving meanwhile.
bool RaiseReaches(SingleInstance& second, int& raises) {
    const int before = raises;
    bool asked = false;
    std::thread asker([&] { asked = second.AskRunningCopyToRaise(); });
    const bool raised = WaitFor([&] { return raises > before; });
    asker.join();
    return asked && raised;
}

TEST_F(SingleInstanceTest, LockAndSocketAreUserOnly) {
    SingleInstance first("velmora");
    ASSERT_TRUE(first.TryLock());
    int raises = 0;
    first.ListenForRaise([&] { ++raises; });
    EXPECT_EQ(ModeOf(Runtime() + "/velmora.lock") & 0777, 0600u);
    const mode_t socket = ModeOf(Runtime() + "/velmora.socket");
    EXPECT_TRUE(S_ISSOCK(socket));
    EXPECT_EQ(socket & 077, 0u);
    SingleInstance second("velmora");
    EXPECT_FALSE(second.TryLock());
    EXPECT_TRUE(RaiseReaches(second, raises));
}

// A bound socket file whose process is gone, next to a lock file nobody holds.
void LeaveStaleFiles(const std::string& folder) {
    const std::string path = folder + "/velmora.socket";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(fs::exists(path));
    ASSERT_EQ(::close(::open((folder + "/velmora.lock").c_str(), O_CREAT | O_RDWR, 0600)), 0);
}

TEST_F(SingleInstanceTest, StaleSocketAndLockWithoutProcessDoNotBlockTheNextStart) {
    LeaveStaleFiles(Runtime());
    SingleInstance asker("velmora");
    EXPECT_FALSE(asker.AskRunningCopyToRaise());

    SingleInstance next("velmora");
    ASSERT_TRUE(next.TryLock());
    int raises = 0;
    next.ListenForRaise([&] { ++raises; });
    EXPECT_TRUE(RaiseReaches(asker, raises));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
