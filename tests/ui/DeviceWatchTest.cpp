#include <QCoreApplication>
#include <QElapsedTimer>

#include "CVelmoraDlg.h"
#include "DeviceWatcher.h"
#include "UiTestEnv.h"

namespace {

class DeviceWatchTest : public UiTest {};

// Processes events until the login window's status line reads the text, or gives up.
bool StatusBecomes(CVelmoraDlg& login, const std::u16string& text) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (login.GetDlgItemText(1056) == text) return true;
    }
    return false;
}

TEST_F(DeviceWatchTest, AttachAndDetachOfTheVirtualRecorderReachTheLoginWindow) {
    Recorder({"detach"});
    DeviceWatcher watcher;
    CVelmoraDlg login;
    login.Create(nullptr);
    ASSERT_EQ(login.GetDlgItemText(1056), U("No recorder attached!"));
    Recorder({"attach"});
    EXPECT_TRUE(StatusBecomes(login, U("Recorder attached.")));
    Recorder({"detach"});
    EXPECT_TRUE(StatusBecomes(login, U("The recorder was removed!")));
    login.DestroyWindow();
}

}  // namespace
