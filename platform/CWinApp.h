#pragma once

#include <string>

class CDialogEx;

// The application object: builds the toolkit's application, then hands over to
// InitInstance, which runs the program's main window.
class CWinApp {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns the process's exit code.
    int Run(int argc, char** argv);
    // The executable's file name: it names the single-instance lock.
    const std::string& AppName() const { return m_appName; }

    CDialogEx* m_pMainWnd = nullptr;

protected:
    virtual bool InitInstance() = 0;

private:
    std::string m_appName;
};
