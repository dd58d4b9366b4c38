// The tool's start as the start-up benchmark runs it: the real application,
// which ends as soon as its login window is shown.
#include <QCoreApplication>
#include <QTimer>

#include "CDialogEx.h"
#include "CVelmoraApp.h"
#include "CVelmoraDlg.h"
#include "ModalLoops.h"

namespace {

void QuitOnceLoginShown()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer] {
        if (CDialogEx::FindVisibleDialog(CVelmoraDlg::kTemplateId) == nullptr)
            return;
        timer->stop();
        PostQuitMessage(0);
    });
    timer->start();
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(QuitOnceLoginShown)

int main(int argc, char** argv)
{
    CVelmoraApp app;
    return app.Run(argc, argv);
}
