#pragma once

#include <string>
#include <vector>

#include "CDialogEx.h"
#include "CLangIni.h"

// The program's own message box: caption, message and button captions in the
// language of the window that shows it; OK alone, or OK and Cancel.
class CCautionDlg : public CDialogEx {
public:
    static constexpr int kTemplateId = 131;
    static constexpr int kMessageId = 1057;
    static constexpr int kOkText = 114;
    static constexpr int kCancelText = 115;

    CCautionDlg();
    // Shows the prompt modally; true exactly when the operator chose OK.
    bool ShowCaution(const std::u16string& strTitle, const std::u16string& strMessage,
                     const CLangIni& lang, bool bShowCancel);
    void SetLangIni(const CLangIni& lang);

protected:
    bool OnInitDialog() override;

private:
    void LoadButtonText();
    void LayoutButtons(bool showCancel);

    std::u16string m_strTitle;
    std::u16string m_strMessage;
    bool m_bShowCancel = false;
    TextMap m_mapText;
    CLangIni m_lang;
    std::vector<std::u16string> m_arrButtonText;
};
