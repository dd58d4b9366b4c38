#include "CNormalSettingsDlg.h"

#include <cstdio>
#include <ctime>

#include "AnsiCodePage.h"
#include "CCautionDlg.h"
#include "CMoreSettingDlg.h"
#include "CVelmoraDlg.h"
#include "ChainWindow.h"
#include "DeviceCalls.h"
#include "DialogTemplate.h"
#include "DravinProtocol.h"

namespace {

enum Control {
    kOldPassword = 1001,
    kNewPassword = 1002,
    kConfirmPassword = 1003,
    kDeviceNumber = 1004,
    kOfficerNumber = 1005,
    kClockField = 1006,
    kGetTime = 2008,
    kSetTime = 2009,
    kModify = 2014,
    kSetId = 2019,
    kEnterUDisk = 2020,
    kSetting = 2021,
    kReturn = 2022,
};

enum Entry {
    kGetTimeFailed = 0,
    kTimeSet = 1,
    kSetTimeFailed = 2,
    kPasswordTooShort = 3,
    kOldPasswordWrong = 4,
    kNewEqualsOld = 5,
    kConfirmationDiffers = 6,
    kPasswordChanged = 7,
    kPasswordChangeFailed = 8,
    kIdTooShort = 9,
    kIdStored = 10,
    kIdStoreFailed = 11,
    kUDiskEntered = 12,
    kUDiskFailed = 13,
};

constexpr size_t kPasswordLength = 6;
constexpr size_t kDeviceNumberLength = 5;
constexpr size_t kOfficerNumberLength = 6;

constexpr int kTitleText = 4;
constexpr int kFirstControlText = 17;
constexpr int kLastControlText = 33;
constexpr int kFirstControlOfTexts = 2007;
constexpr int kCautionTitleText = 80;
constexpr int kFirstMessageText = 100;
constexpr int kLastMessageText = 113;

struct LocalTimeParts {
    int year, month, day, hour, minute, second;
};

LocalTimeParts GetLocalTimeParts() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace

CNormalSettingsDlg::CNormalSettingsDlg() : CDialogEx(kTemplateId) {}

CNormalSettingsDlg::~CNormalSettingsDlg() = default;

void CNormalSettingsDlg::DoDataExchange() { SubclassDlgItem(CLogo::kControlId, m_logo); }

bool CNormalSettingsDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetIcon(res::kIdiProgramIcon);
    CreateMoreSettingDlg();
    RefreshTexts();
    LimitText(kDeviceNumber, kDeviceNumberLength);
    for (int id : {kOfficerNumber, kOldPassword, kNewPassword, kConfirmPassword}) {
        LimitText(id, kPasswordLength);
    }
    return true;
}

void CNormalSettingsDlg::SetLangIni(const CLangIni& lang) {
    m_lang = lang;
    m_mapText = m_lang.SelectedText();
}

void CNormalSettingsDlg::CreateMoreSettingDlg() {
    m_pMoreSettingDlg = std::make_unique<CMoreSettingDlg>();
    m_pMoreSettingDlg->SetLangIni(m_lang);
    m_pMoreSettingDlg->Create(this);
    m_pMoreSettingDlg->ShowWindow(SW_HIDE);
}

void CNormalSettingsDlg::RefreshTexts() {
    m_arrMsg.clear();
    for (const auto& [index, ansi] : m_mapText) {
        const std::u16string text = AnsiCodePage::ToWide(ansi);
        if (index == kTitleText) {
            SetWindowText(text);
        } else if (index >= kFirstControlText && index <= kLastControlText) {
            SetDlgItemText(kFirstControlOfTexts + index - kFirstControlText, text);
        } else if (index == kCautionTitleText) {
            m_strCautionTitle = text;
        } else if (index >= kFirstMessageText && index <= kLastMessageText) {
            m_arrMsg.push_back(text);
        }
    }
}

void CNormalSettingsDlg::ShowTime(int year, int month, int day, int hour, int minute, int second) {
    char text[64];
    std::snprintf(text, sizeof text, "%4d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    SetDlgItemText(kClockField, AnsiCodePage::ToWide(text));
}

void CNormalSettingsDlg::RefreshFromDevice() {
    for (int id : {kClockField, kDeviceNumber, kOfficerNumber, kOldPassword, kNewPassword, kConfirmPassword}) {
        SetDlgItemText(id, u"");
    }
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (get_time(&year, &month, &day, &hour, &minute, &second)) ShowTime(year, month, day, hour, minute, second);
    std::u16string deviceNumber;
    std::u16string officerNumber;
    if (DeviceGetId(deviceNumber, officerNumber)) {
        SetDlgItemText(kDeviceNumber, deviceNumber);
        SetDlgItemText(kOfficerNumber, officerNumber);
    }
}

void CNormalSettingsDlg::Report(CCautionDlg& prompt, int entry) {
    prompt.ShowCaution(m_strCautionTitle, m_arrMsg.at(static_cast<size_t>(entry)), m_lang, false);
}

void CNormalSettingsDlg::OnButtonClicked(int id) {
    // Built for every command, shown or not: building it reads the language file,
    // so a file removed meanwhile takes the missing-file path on any press.
    CCautionDlg prompt;
    switch (id) {
        case kGetTime: OnGetTime(prompt); break;
        case kSetTime: OnSetTime(prompt); break;
        case kModify: OnModifyPassword(prompt); break;
        case kSetId: OnSetId(prompt); break;
        case kEnterUDisk: OnEnterUDisk(prompt); break;
        case kSetting: OnOpenSetting(); break;
        case kReturn: OnReturn(); break;
        default: break;
    }
}

void CNormalSettingsDlg::OnGetTime(CCautionDlg& prompt) {
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (get_time(&year, &month, &day, &hour, &minute, &second)) {
        ShowTime(year, month, day, hour, minute, second);
    } else {
        Report(prompt, kGetTimeFailed);
    }
}

void CNormalSettingsDlg::OnSetTime(CCautionDlg& prompt) {
    const LocalTimeParts t = GetLocalTimeParts();
    if (set_time(t.year, t.month, t.day, t.hour, t.minute, t.second)) {
        ShowTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
        Report(prompt, kTimeSet);
    } else {
        Report(prompt, kSetTimeFailed);
    }
}

void CNormalSettingsDlg::OnModifyPassword(CCautionDlg& prompt) {
    const std::u16string oldPassword = GetDlgItemText(kOldPassword);
    const std::u16string newPassword = GetDlgItemText(kNewPassword);
    const std::u16string confirmation = GetDlgItemText(kConfirmPassword);
    auto* owner = dynamic_cast<CVelmoraDlg*>(GetParent());
    const std::u16string loginPassword = owner ? owner->m_strPassword : std::u16string();
    if (oldPassword.size() < kPasswordLength || newPassword.size() < kPasswordLength ||
        confirmation.size() < kPasswordLength) {
        Report(prompt, kPasswordTooShort);
    } else if (oldPassword != loginPassword) {
        Report(prompt, kOldPasswordWrong);
    } else if (oldPassword == newPassword) {
        Report(prompt, kNewEqualsOld);
    } else if (newPassword != confirmation) {
        Report(prompt, kConfirmationDiffers);
    } else if (DeviceAlertPasswd(confirmation)) {
        // The recorder now answers to the new password; so must the next change.
        if (owner) owner->m_strPassword = confirmation;
        Report(prompt, kPasswordChanged);
    } else {
        Report(prompt, kPasswordChangeFailed);
    }
}

void CNormalSettingsDlg::OnSetId(CCautionDlg& prompt) {
    const std::u16string deviceNumber = GetDlgItemText(kDeviceNumber);
    const std::u16string officerNumber = GetDlgItemText(kOfficerNumber);
    if (deviceNumber.size() < kDeviceNumberLength || officerNumber.size() < kOfficerNumberLength) {
        Report(prompt, kIdTooShort);
        return;
    }
    Report(prompt, DeviceSetId(deviceNumber, officerNumber) ? kIdStored : kIdStoreFailed);
}

void CNormalSettingsDlg::OnEnterUDisk(CCautionDlg& prompt) {
    Report(prompt, enter_udisk() ? kUDiskEntered : kUDiskFailed);
}

void CNormalSettingsDlg::OnOpenSetting() {
    CMoreSettingDlg& more = *m_pMoreSettingDlg;
    more.m_mapText = m_mapText;
    more.RefreshTexts();
    more.ReadAllParams();
    more.ShowWindow(SW_SHOW);
    ShowWindow(SW_HIDE);
}

void CNormalSettingsDlg::OnReturn() {
    ShowWindow(SW_HIDE);
    if (CDialogEx* owner = GetParent()) owner->ShowWindow(SW_SHOW);
}

void CNormalSettingsDlg::OnClose() {
    if (m_pMoreSettingDlg) m_pMoreSettingDlg->ShowWindow(SW_HIDE);
    OnReturn();
    CDialogEx::OnClose();
}

void CNormalSettingsDlg::OnDestroy() { chain::DestroyOwned(m_pMoreSettingDlg); }

bool CNormalSettingsDlg::PreTranslateMessage(const MSG& msg) {
    return chain::SwallowsKey(msg) || CDialogEx::PreTranslateMessage(msg);
}
