#include "CVelmoraDlg.h"

#include <cwctype>

#include "AnsiCodePage.h"
#include "CAboutDlg.h"
#include "CCautionDlg.h"
#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "ChainWindow.h"
#include "DialogTemplate.h"
#include "DeviceCalls.h"
#include "DravinProtocol.h"
#include "ModalLoops.h"

namespace {

enum Control {
    kPasswordEdit = 1007,
    kLangCombo = 1019,
    kStatusLine = 1056,
    kConnectButton = 2004,
    kLoginButton = 2005,
    kExitButton = 2006,
};

enum Message {
    kMsgPresent = 0,
    kMsgAbsent = 1,
    kMsgNotOpened = 2,
    kMsgOpened = 3,
    kMsgOpenFailed = 4,
    kMsgLost = 5,
    kMsgLoggedIn = 6,
    kMsgLoginFailed = 7,
    kMsgEmptyPassword = 9,
    kMsgCaution = 10,
};

constexpr int kModeStatusLine = 0;
constexpr int kModePrompt = 1;
constexpr int kPasswordLimit = 6;

constexpr int kFirstControlText = 10;
constexpr int kLastControlText = 16;
constexpr int kFirstControlOfTexts = 2000;
constexpr int kFirstMessageText = 70;
constexpr int kLastMessageText = 80;
constexpr int kTitleText = 3;

bool IsWide(char16_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

std::u16string Trimmed(const std::u16string& text) {
    size_t end = text.size();
    while (end > 0 && IsWide(text[end - 1])) --end;
    size_t begin = 0;
    while (begin < end && IsWide(text[begin])) ++begin;
    return text.substr(begin, end - begin);
}

}  // namespace

CVelmoraDlg::CVelmoraDlg() : CDialogEx(kTemplateId) {}

CVelmoraDlg::~CVelmoraDlg() = default;

void CVelmoraDlg::DoDataExchange() { SubclassDlgItem(CLogo::kControlId, m_logo); }

bool CVelmoraDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    const std::u16string about = AnsiCodePage::ToWide(res::LoadStringResource(res::kIdsAboutBox));
    if (!about.empty()) AppendSystemMenuItem(kAboutCommand, about);
    SetIcon(res::kIdiProgramIcon);
    InitControls();
    RefreshTexts();
    FillLangCombo();
    CheckDeviceState();
    return true;
}

void CVelmoraDlg::InitControls() {
    ComboClearEdit(kLangCombo);
    ComboSetEditReadOnly(kLangCombo);
    LimitText(kPasswordEdit, kPasswordLimit);
    SetDlgItemText(kStatusLine, u"");
    m_arrLangName.clear();
    CreateNormalSettingsDlg();
}

void CVelmoraDlg::CreateNormalSettingsDlg() {
    m_pNormalSettingsDlg = std::make_unique<CNormalSettingsDlg>();
    m_lang.ReadLangSel();
    m_pNormalSettingsDlg->m_mapText = m_lang.SelectedText();
    m_pNormalSettingsDlg->Create(this);
    m_pNormalSettingsDlg->ShowWindow(SW_HIDE);
}

void CVelmoraDlg::RefreshTexts() {
    m_arrLangName.clear();
    m_arrMsg.clear();
    m_lang.ReadLangSel();
    for (const auto& [index, name] : m_lang.m_mapLangName) {
        m_arrLangName.push_back(AnsiCodePage::ToWide(name));
    }
    const TextMap texts = m_lang.SelectedText();
    for (const auto& [index, ansi] : texts) {
        const std::u16string text = AnsiCodePage::ToWide(ansi);
        if (index == kTitleText) {
            m_strTitle = text;
            SetWindowText(text);
        } else if (index >= kFirstControlText && index <= kLastControlText) {
            SetDlgItemText(kFirstControlOfTexts + index - kFirstControlText, text);
        } else if (index >= kFirstMessageText && index <= kLastMessageText) {
            m_arrMsg.push_back(text);
        }
    }
}

void CVelmoraDlg::FillLangCombo() {
    ComboResetContent(kLangCombo);
    for (const std::u16string& name : m_arrLangName) ComboAddString(kLangCombo, name);
    m_lang.ReadLangSel();
    ComboSetCurSel(kLangCombo, m_lang.EffectiveLangSel());
}

void CVelmoraDlg::CheckDeviceState() {
    m_bDevicePresent = Check_Device_state();
    ShowMessage(m_bDevicePresent ? kMsgPresent : kMsgAbsent, kModeStatusLine);
}

void CVelmoraDlg::ShowMessage(int index, int mode) {
    const std::u16string& text = m_arrMsg.at(static_cast<size_t>(index));
    if (mode == kModePrompt) {
        const std::u16string& caption = m_arrMsg.at(kMsgCaution);
        CCautionDlg prompt;
        prompt.ShowCaution(caption, text, m_lang, false);
        return;
    }
    SetDlgItemText(kStatusLine, text);
}

void CVelmoraDlg::OnButtonClicked(int id) {
    switch (id) {
        case kConnectButton: OnConnectDevice(); break;
        case kLoginButton: OnLogin(); break;
        case kExitButton: PostQuitMessage(0); break;
        default: break;
    }
}

void CVelmoraDlg::OnConnectDevice() {
    if (!m_bDevicePresent) {
        ShowMessage(kMsgAbsent, kModeStatusLine);
        return;
    }
    m_bDeviceOpened = Open_Device();
    ShowMessage(m_bDeviceOpened ? kMsgOpened : kMsgOpenFailed, kModeStatusLine);
}

void CVelmoraDlg::OnLogin() {
    if (!m_bDevicePresent) {
        ShowMessage(kMsgAbsent, kModeStatusLine);
        return;
    }
    if (!m_bDeviceOpened) {
        ShowMessage(kMsgNotOpened, kModeStatusLine);
        return;
    }
    const std::u16string password = Trimmed(GetDlgItemText(kPasswordEdit));
    if (password.empty()) {
        ShowMessage(kMsgEmptyPassword, kModePrompt);
        return;
    }
    if (!DeviceLogin(password)) {
        m_bLoggedIn = false;
        ShowMessage(kMsgLoginFailed, kModeStatusLine);
        return;
    }
    m_strPassword = password;
    m_bLoggedIn = true;
    m_pNormalSettingsDlg->RefreshFromDevice();
    m_pNormalSettingsDlg->ShowWindow(SW_SHOW);
    ShowWindow(SW_HIDE);
    ShowMessage(kMsgLoggedIn, kModeStatusLine);
}

void CVelmoraDlg::OnSelChange(int id) {
    if (id == kLangCombo) OnCbnSelchangeLang();
}

void CVelmoraDlg::OnCbnSelchangeLang() {
    m_lang.SaveLangSel(ComboGetCurSel(kLangCombo));
    RefreshTexts();
    SetDlgItemText(kStatusLine, u"");
    m_pNormalSettingsDlg->SetLangIni(m_lang);
    m_pNormalSettingsDlg->RefreshTexts();
    chain::DestroyOwned(m_pNormalSettingsDlg->m_pMoreSettingDlg);
    m_pNormalSettingsDlg->CreateMoreSettingDlg();
    m_pNormalSettingsDlg->UpdateWindow();
    UpdateWindow();
}

intptr_t CVelmoraDlg::WindowProc(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (message != WM_DEVICECHANGE) return CDialogEx::WindowProc(message, wParam, lParam);
    if (wParam == DBT_DEVNODES_CHANGED) OnDevNodesChanged();
    return 1;
}

void CVelmoraDlg::OnDevNodesChanged() {
    const bool attached = Check_Device_state();
    if (attached) {
        if (m_bDevicePresent) return;
        if (m_pNormalSettingsDlg) m_pNormalSettingsDlg->ShowWindow(SW_HIDE);
        m_bDevicePresent = true;
        m_bDeviceOpened = false;
        m_bLoggedIn = false;
        ShowWindow(SW_SHOW);
        ShowMessage(kMsgPresent, kModeStatusLine);
        return;
    }
    m_bDeviceOpened = false;
    m_bLoggedIn = false;
    if (!m_bDevicePresent) {
        ShowMessage(kMsgAbsent, kModeStatusLine);
        return;
    }
    m_bDevicePresent = false;
    if (m_pNormalSettingsDlg) m_pNormalSettingsDlg->ShowWindow(SW_HIDE);
    ShowWindow(SW_SHOW);
    ShowMessage(kMsgLost, kModeStatusLine);
}

void CVelmoraDlg::OnSysCommand(unsigned commandId) {
    if ((commandId & kSysCommandMask) != kAboutCommand) return;
    CAboutDlg about(m_lang);
    about.DoModal();
}

// An empty language box (a file that lists no language) has no choice to write.
void CVelmoraDlg::SaveComboSelection() {
    const int selection = ComboGetCurSel(kLangCombo);
    if (selection >= 0) m_lang.SaveLangSel(selection);
}

void CVelmoraDlg::OnClose() {
    SaveComboSelection();
    chain::DestroyOwned(m_pNormalSettingsDlg);
    CDialogEx::OnClose();
}

void CVelmoraDlg::OnDestroy() { chain::DestroyOwned(m_pNormalSettingsDlg); }

bool CVelmoraDlg::PreTranslateMessage(const MSG& msg) {
    return chain::SwallowsKey(msg) || CDialogEx::PreTranslateMessage(msg);
}
