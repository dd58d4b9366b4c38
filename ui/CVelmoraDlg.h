#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CDialogEx.h"
#include "CLangIni.h"
#include "CLogo.h"

class CNormalSettingsDlg;

// The login window: follows whether a recorder is attached, opens it, logs in,
// and lets the operator choose the language. The program's main window.
class CVelmoraDlg : public CDialogEx {
public:
    static constexpr int kTemplateId = 129;
    static constexpr unsigned kAboutCommand = 0x10;

    CVelmoraDlg();
    ~CVelmoraDlg() override;

    CNormalSettingsDlg* NormalSettingsDlg() const { return m_pNormalSettingsDlg.get(); }

    CLangIni m_lang;
    std::u16string m_strPassword;
    bool m_bDevicePresent = false;
    bool m_bDeviceOpened = false;
    bool m_bLoggedIn = false;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    void OnButtonClicked(int id) override;
    void OnSelChange(int id) override;
    void OnSysCommand(unsigned commandId) override;
    void OnClose() override;
    void OnDestroy() override;
    bool PreTranslateMessage(const MSG& msg) override;
    intptr_t WindowProc(unsigned message, uintptr_t wParam, intptr_t lParam) override;

private:
    void InitControls();
    void CreateNormalSettingsDlg();
    void RefreshTexts();
    void FillLangCombo();
    void CheckDeviceState();
    void ShowMessage(int index, int mode);
    void OnConnectDevice();
    void OnLogin();
    void OnCbnSelchangeLang();
    void OnDevNodesChanged();
    void SaveComboSelection();

    std::vector<std::u16string> m_arrLangName;
    std::vector<std::u16string> m_arrMsg;
    std::u16string m_strTitle;
    std::unique_ptr<CNormalSettingsDlg> m_pNormalSettingsDlg;
    CLogo m_logo;
};
