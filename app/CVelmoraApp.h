#pragma once

#include "CWinApp.h"

// The application: one running copy per user and executable name, then the
// login window for the whole run.
class CVelmoraApp : public CWinApp {
public:
    // Shows "have not found file!" and ends the process with -1.
    static void ReportMissingLanguageFile();

protected:
    bool InitInstance() override;
};
