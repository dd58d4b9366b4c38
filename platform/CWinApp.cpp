#include "CWinApp.h"

#include <QApplication>
#include <clocale>
#include <filesystem>

#include "ModalLoops.h"

int CWinApp::Run(int argc, char** argv) {
    m_appName = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "velmora";
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(m_appName));
    QApplication::setQuitOnLastWindowClosed(false);
    // Texts are converted with the code set of the environment's locale.
    std::setlocale(LC_ALL, "");
    InitInstance();
    return ModalLoops::QuitCode();
}
