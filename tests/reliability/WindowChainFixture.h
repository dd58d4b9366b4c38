#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "CVelmoraDlg.h"
#include "UiTestEnv.h"

// The whole window chain against the virtual recorder, logged in, with the
// texts of the working folder's language file.
class WindowChainFixture : public UiTest {
protected:
    static constexpr int kPasswordEdit = 1007;
    static constexpr int kLoginStatus = 1056;
    static constexpr int kConnect = 2004;
    static constexpr int kLogin = 2005;
    static constexpr int kDeviceNo = 1004;
    static constexpr int kOfficerNo = 1005;
    static constexpr int kClock = 1006;
    static constexpr int kGetTime = 2008;
    static constexpr int kSetting = 2021;
    static constexpr int kSetAndReturn = 2037;
    static constexpr int kFirmwareLabel = 1020;
    static constexpr int kTimezoneLabel = 2040;
    static constexpr int kSlider = 1071;

    void TearDown() override;

    // Builds the chain and logs in; true when the basic window took over.
    bool LogIn(const std::string& password = "000000");
    void DeviceChange();

    CVelmoraDlg& Login() { return *m_login; }
    CNormalSettingsDlg& Normal() { return *m_login->NormalSettingsDlg(); }
    CMoreSettingDlg& More() { return *Normal().m_pMoreSettingDlg; }

    // Clicks a button and returns the messages of the prompts it brought up.
    static std::vector<std::u16string> Press(CDialogEx& dialog, int id);
    // Text of the selected language; "<missing>" when absent.
    static std::u16string Text(int index);
    static std::vector<std::u16string> Texts(int first, const std::vector<int>& offsets);

private:
    std::unique_ptr<CVelmoraDlg> m_login;
};
