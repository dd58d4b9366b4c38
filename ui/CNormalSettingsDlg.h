#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CDialogEx.h"
#include "CLangIni.h"
#include "CLogo.h"

class CCautionDlg;
class CMoreSettingDlg;

// The basic settings window: the recorder's clock, its password, its device and
// officer numbers, mass-storage mode, and the way to the advanced settings.
class CNormalSettingsDlg : public CDialogEx {
public:
    static constexpr int kTemplateId = 102;

    CNormalSettingsDlg();
    ~CNormalSettingsDlg() override;

    void SetLangIni(const CLangIni& lang);
    void RefreshTexts();
    void CreateMoreSettingDlg();
    // Clears the fields and reads the recorder's clock and ID numbers into them.
    void RefreshFromDevice();

    TextMap m_mapText;
    CLangIni m_lang;
    std::unique_ptr<CMoreSettingDlg> m_pMoreSettingDlg;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    void OnButtonClicked(int id) override;
    void OnClose() override;
    void OnDestroy() override;
    bool PreTranslateMessage(const MSG& msg) override;

private:
    void ShowTime(int year, int month, int day, int hour, int minute, int second);
    void OnGetTime(CCautionDlg& prompt);
    void OnSetTime(CCautionDlg& prompt);
    void OnModifyPassword(CCautionDlg& prompt);
    void OnSetId(CCautionDlg& prompt);
    void OnEnterUDisk(CCautionDlg& prompt);
    void OnOpenSetting();
    void OnReturn();
    // Shows entry n of the message list in an OK-only prompt.
    void Report(CCautionDlg& prompt, int entry);

    std::vector<std::u16string> m_arrMsg;
    std::u16string m_strCautionTitle;
    CLogo m_logo;
};
