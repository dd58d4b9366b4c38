#include "CVelmoraApp.h"

#include <cstdlib>

#include "CLangIni.h"
#include "CVelmoraDlg.h"
#include "DeviceWatcher.h"
#include "MessageBox.h"
#include "SingleInstance.h"

namespace {

// The visible chain window comes forward when a second copy is started.
void RaiseVisibleWindow() {
    for (CDialogEx* dialog : CDialogEx::AllDialogs()) {
        if (dialog->IsWindowVisible()) dialog->ShowWindow(SW_SHOW);
    }
}

}  // namespace

void CVelmoraApp::ReportMissingLanguageFile() {
    AfxMessageBox(u"have not found file!");
    std::exit(-1);
}

bool CVelmoraApp::InitInstance() {
    SingleInstance instance(AppName());
    if (!instance.TryLock()) {
        instance.AskRunningCopyToRaise();
        return false;
    }
    instance.ListenForRaise(RaiseVisibleWindow);
    CLangIni::SetMissingFileHandler(ReportMissingLanguageFile);
    DeviceWatcher watcher;
    CVelmoraDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
