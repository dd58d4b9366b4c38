#include "CCautionDlg.h"

#include "AnsiCodePage.h"
#include "DialogTemplate.h"

namespace {

constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 30;
constexpr int kButtonRise = 50;      // top of the buttons above the client bottom
constexpr int kPairWidth = 250;
constexpr int kCancelOffset = 150;   // Cancel's left edge right of OK's

}  // namespace

CCautionDlg::CCautionDlg() : CDialogEx(kTemplateId) {}

void CCautionDlg::SetLangIni(const CLangIni& lang) {
    m_lang = lang;
    m_mapText = m_lang.SelectedText();
}

bool CCautionDlg::ShowCaution(const std::u16string& strTitle, const std::u16string& strMessage,
                              const CLangIni& lang, bool bShowCancel) {
    SetLangIni(lang);
    LoadButtonText();
    m_strTitle = strTitle;
    m_strMessage = strMessage;
    m_bShowCancel = bShowCancel;
    return DoModal() == IDOK;
}

void CCautionDlg::LoadButtonText() {
    m_arrButtonText.clear();
    for (const auto& [index, text] : m_mapText) {
        if (index == kOkText) m_arrButtonText.push_back(AnsiCodePage::ToWide(text));
        if (index == kCancelText) {
            m_arrButtonText.push_back(AnsiCodePage::ToWide(text));
            break;
        }
    }
}

bool CCautionDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetIcon(res::kIdiProgramIcon);
    LayoutButtons(m_bShowCancel);
    return true;
}

void CCautionDlg::LayoutButtons(bool showCancel) {
    SetWindowText(m_strTitle);
    SetDlgItemText(kMessageId, m_strMessage);
    // A language without both button texts is an improper argument: the prompt
    // then opens with the template's buttons.
    SetDlgItemText(IDOK, m_arrButtonText.at(0));
    SetDlgItemText(IDCANCEL, m_arrButtonText.at(1));
    ShowDlgItem(IDOK, true);
    const Rect client = GetClientRect();
    const int top = client.bottom - kButtonRise;
    if (!showCancel) {
        ShowDlgItem(IDCANCEL, false);
        const int x = (client.Width() - kButtonWidth) / 2;
        MoveDlgItem(IDOK, {x, top, x + kButtonWidth, top + kButtonHeight}, true);
        return;
    }
    ShowDlgItem(IDCANCEL, true);
    const int x0 = (client.Width() - kPairWidth) / 2;
    MoveDlgItem(IDOK, {x0, top, x0 + kButtonWidth, top + kButtonHeight}, true);
    const int x1 = x0 + kCancelOffset;
    MoveDlgItem(IDCANCEL, {x1, top, x1 + kButtonWidth, top + kButtonHeight}, true);
}
