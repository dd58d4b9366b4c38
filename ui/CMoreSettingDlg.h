#pragma once

#include <array>
#include <string>
#include <vector>

#include "CDialogEx.h"
#include "CLangIni.h"
#include "CLogo.h"
#include "ParamRanges.h"

class CCautionDlg;

// The advanced settings window: the recording parameters read from the recorder,
// changed in drop-down boxes and on the time-zone slider, and written back.
class CMoreSettingDlg : public CDialogEx {
public:
    static constexpr int kTemplateId = 130;

    CMoreSettingDlg();
    ~CMoreSettingDlg() override;

    void SetLangIni(const CLangIni& lang);
    void RefreshTexts();
    void ReadAllParams();
    void WriteAllParams();

    TextMap m_mapText;
    CLangIni m_lang;
    bool m_bSetAndReturn = false;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    void OnButtonClicked(int id) override;
    void OnClose() override;
    void OnHScroll() override;
    bool PreTranslateMessage(const MSG& msg) override;

private:
    void InitParamCombos();
    // Stops an opening whose language lacks texts for a list's item count.
    void CheckItemCounts() const;
    void ReadFirstGroup(CCautionDlg& prompt, uint32_t& value);
    void ReadSecondGroup(CCautionDlg& prompt, uint32_t& value);
    void ReadTimezone(CCautionDlg& prompt, uint32_t& value);
    void ReadFirmwareVersion(CCautionDlg& prompt);
    void ShowTimezoneLabel(int position);
    void RestoreDefaults();
    void ReturnToNormal();
    bool Ask(CCautionDlg& prompt, const std::u16string& question);
    void Say(CCautionDlg& prompt, int message);

    std::array<std::vector<std::u16string>, param::RowCount> m_arrItems;
    std::vector<std::u16string> m_arrMsg;
    std::u16string m_strCautionTitle;
    CLogo m_logo;
};
