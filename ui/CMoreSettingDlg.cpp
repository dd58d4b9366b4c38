#include "CMoreSettingDlg.h"

#include <cstdio>
#include <stdexcept>

#include "AnsiCodePage.h"
#include "CCautionDlg.h"
#include "CNormalSettingsDlg.h"
#include "ChainWindow.h"
#include "DeviceCalls.h"
#include "DialogTemplate.h"
#include "DravinProtocol.h"
#include "ParamTable.h"

namespace {

using params::Group;
using params::kNoBox;
using params::kNoMessage;

// In the order the window reads them and writes them.
constexpr params::ParamRow kRows[param::RowCount] = {
    {param::Resolution, Group::First, 1009, get_Resolution, set_Resolution, 4, 14},
    {param::VideoSplitTime, Group::First, 1010, get_VideoSplitTime, set_VideoSplitTime, 5, 15},
    {param::Gps, Group::First, 1011, get_Gps, set_Gps, 6, 16},
    {param::SoundVolume, Group::First, 1012, get_SoundVolume, set_SoundVolume, 7, 17},
    {param::PhotoResolution, Group::Shown, 1013, nullptr, nullptr, kNoMessage, kNoMessage},
    {param::VideoQuality, Group::First, 1014, get_Video_quality, set_Video_quality, 9, 19},
    {param::Infrared, Group::First, 1015, get_Infrared, set_Infrared, 10, 20},
    {param::RecordingWarning, Group::First, 1016, get_Recording_warning, set_Recording_warning, 11, 21},
    {param::ScreenSave, Group::Hidden, kNoBox, nullptr, nullptr, kNoMessage, kNoMessage},
    {param::LoopRecord, Group::Second, 1019, get_loop_record, set_loop_record, 29, 28},
    {param::VideoCodecFormat, Group::Second, 1021, get_video_codec_format, set_video_codec_format, 0, 1},
    {param::PreRecording, Group::Second, 1022, get_pre_record, set_pre_record, 2, 3},
};

enum Control {
    kFirmwareLabel = 1020,
    kSlider = 1071,
    kTimezoneLabel = 2040,
    kRestoreDefaults = 2034,
    kReturn = 2036,
    kSetAndReturn = 2037,
};

enum Message {
    kMsgDefaultsRestored = 23,
    kMsgRestoreFailed = 24,
    kMsgRestoreQuestion = 25,
    kMsgAllWritten = 26,
    kMsgWriteFailed = 27,
    kMsgTimezoneWriteFailed = 30,
    kMsgTimezoneReadFailed = 31,
    kMsgFirmwareReadFailed = 32,
};

constexpr int kTitleText = 5;
constexpr int kFirstLabelText = 34;
constexpr int kLastLinearLabelText = 49;
constexpr int kFirstLabel = 2024;
constexpr int kCautionTitleText = 80;
constexpr int kReturnQuestionText = 90;
constexpr int kFirstMessageText = 256;
constexpr int kLastMessageText = 299;

// Labels 50 to 52 skip the time-zone value label 2040.
constexpr int kLaterLabels[][2] = {{50, 2041}, {51, 2042}, {52, 2043}};

constexpr int kTimezoneOffset = 12;
constexpr int kSliderMin = -12;
constexpr int kSliderMax = 12;

int LabelForText(int index) {
    if (index >= kFirstLabelText && index <= kLastLinearLabelText) return kFirstLabel + index - kFirstLabelText;
    for (const auto& [text, label] : kLaterLabels) {
        if (text == index) return label;
    }
    return 0;
}

int RowForText(int index) {
    for (int row = 0; row < param::RowCount; ++row) {
        if (index >= param::kRanges[row].firstText && index <= param::kRanges[row].lastText) return row;
    }
    return -1;
}

}  // namespace

CMoreSettingDlg::CMoreSettingDlg() : CDialogEx(kTemplateId) {}

CMoreSettingDlg::~CMoreSettingDlg() = default;

void CMoreSettingDlg::DoDataExchange() { SubclassDlgItem(CLogo::kControlId, m_logo); }

void CMoreSettingDlg::SetLangIni(const CLangIni& lang) {
    m_lang = lang;
    m_mapText = m_lang.SelectedText();
}

bool CMoreSettingDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetIcon(res::kIdiProgramIcon);
    RefreshTexts();
    InitParamCombos();
    return true;
}

void CMoreSettingDlg::RefreshTexts() {
    for (auto& items : m_arrItems) items.clear();
    m_arrMsg.clear();
    for (const auto& [index, ansi] : m_mapText) {
        const std::u16string text = AnsiCodePage::ToWide(ansi);
        if (index == kTitleText) {
            SetWindowText(text);
        } else if (const int label = LabelForText(index)) {
            SetDlgItemText(label, text);
        } else if (index == kCautionTitleText) {
            m_strCautionTitle = text;
        } else if (const int row = RowForText(index); row >= 0) {
            m_arrItems[static_cast<size_t>(row)].push_back(text);
        } else if (index >= kFirstMessageText && index <= kLastMessageText) {
            m_arrMsg.push_back(text);
        }
    }
}

void CMoreSettingDlg::InitParamCombos() {
    for (const params::ParamRow& row : kRows) {
        if (row.box != kNoBox) ComboSetEditReadOnly(row.box);
    }
    for (const params::ParamRow& row : kRows) {
        if (row.group == Group::Hidden) continue;
        const auto count = static_cast<uint32_t>(m_lang.ItemCount(row.row));
        const auto& items = m_arrItems[row.row];
        // An item count beyond the language's item texts is an improper argument.
        for (uint32_t item = 0; item < count; ++item) ComboAddString(row.box, items.at(item));
        if (row.group != Group::Second) ComboSetCurSel(row.box, 0);
    }
    SliderSetRange(kSlider, kSliderMin, kSliderMax, false);
    SliderSetTicFreq(kSlider, 1);
    SetDlgItemText(kTimezoneLabel, u"");
    SetDlgItemText(kFirmwareLabel, u"");
}

void CMoreSettingDlg::Say(CCautionDlg& prompt, int message) {
    prompt.ShowCaution(m_strCautionTitle, m_arrMsg.at(static_cast<size_t>(message)), m_lang, false);
}

bool CMoreSettingDlg::Ask(CCautionDlg& prompt, const std::u16string& question) {
    return prompt.ShowCaution(m_strCautionTitle, question, m_lang, true);
}

void CMoreSettingDlg::CheckItemCounts() const {
    for (const params::ParamRow& row : kRows) {
        if (row.group == Group::Hidden) continue;
        if (static_cast<uint32_t>(m_lang.ItemCount(row.row)) > m_arrItems[row.row].size()) {
            throw std::out_of_range("item count beyond the item texts");
        }
    }
}

void CMoreSettingDlg::ReadAllParams() {
    // Boxes the language could not fill would show values that are not there.
    CheckItemCounts();
    CCautionDlg prompt;
    uint32_t value = 0;
    ReadFirstGroup(prompt, value);
    ReadSecondGroup(prompt, value);
    ReadTimezone(prompt, value);
    ReadFirmwareVersion(prompt);
}

void CMoreSettingDlg::ReadFirstGroup(CCautionDlg& prompt, uint32_t& value) {
    for (const params::ParamRow& row : kRows) {
        if (row.group != Group::First) continue;
        if (!row.get(&value)) {
            Say(prompt, row.readMessage);
        } else if (value < static_cast<uint32_t>(m_lang.ItemCount(row.row))) {
            ComboSetCurSel(row.box, static_cast<int>(value));
        }
    }
}

void CMoreSettingDlg::ReadSecondGroup(CCautionDlg& prompt, uint32_t& value) {
    for (const params::ParamRow& row : kRows) {
        if (row.group != Group::Second) continue;
        if (!row.get(&value)) {
            Say(prompt, row.readMessage);
            continue;
        }
        const auto count = static_cast<uint32_t>(m_lang.ItemCount(row.row));
        if (value < count) {
            ComboSetCurSel(row.box, static_cast<int>(value));
            EnableDlgItem(row.box, true);
        } else if (value == count) {
            EnableDlgItem(row.box, false);
        }
    }
}

void CMoreSettingDlg::ReadTimezone(CCautionDlg& prompt, uint32_t& value) {
    if (!get_Timezone_info(&value) || value > static_cast<uint32_t>(param::kTimezoneMax)) {
        Say(prompt, kMsgTimezoneReadFailed);
        return;
    }
    const int position = static_cast<int>(value) - kTimezoneOffset;
    SliderSetPos(kSlider, position);
    ShowTimezoneLabel(position);
}

void CMoreSettingDlg::ReadFirmwareVersion(CCautionDlg& prompt) {
    std::u16string version = GetDlgItemText(kFirmwareLabel);
    if (DeviceGetFirmwareVersion(version)) {
        SetDlgItemText(kFirmwareLabel, version);
    } else {
        Say(prompt, kMsgFirmwareReadFailed);
    }
}

void CMoreSettingDlg::ShowTimezoneLabel(int position) {
    char text[16];
    std::snprintf(text, sizeof text, "%2d", position);
    SetDlgItemText(kTimezoneLabel, AnsiCodePage::ToWide(text));
}

void CMoreSettingDlg::WriteAllParams() {
    CCautionDlg prompt;
    // Every value is taken before the first call: prompts must not change them.
    std::array<int32_t, param::RowCount> selection{};
    for (const params::ParamRow& row : kRows) {
        if (row.set) selection[row.row] = ComboGetCurSel(row.box);
    }
    const int position = SliderGetPos(kSlider);
    bool failed = false;
    for (const params::ParamRow& row : kRows) {
        if (!row.set || row.set(selection[row.row])) continue;
        Say(prompt, row.writeMessage);
        failed = true;
    }
    if (!set_Timezone_info(position + kTimezoneOffset)) {
        Say(prompt, kMsgTimezoneWriteFailed);
        failed = true;
    }
    Say(prompt, failed ? kMsgWriteFailed : kMsgAllWritten);
}

void CMoreSettingDlg::OnButtonClicked(int id) {
    switch (id) {
        case kRestoreDefaults: RestoreDefaults(); break;
        case kReturn: ReturnToNormal(); break;
        case kSetAndReturn:
            WriteAllParams();
            m_bSetAndReturn = true;
            ReturnToNormal();
            break;
        default: break;
    }
}

void CMoreSettingDlg::RestoreDefaults() {
    CCautionDlg prompt;
    if (!Ask(prompt, m_arrMsg.at(kMsgRestoreQuestion))) return;
    if (!restore_default()) {
        Say(prompt, kMsgRestoreFailed);
        return;
    }
    ReadAllParams();
    Say(prompt, kMsgDefaultsRestored);
}

void CMoreSettingDlg::ReturnToNormal() {
    auto* normal = dynamic_cast<CNormalSettingsDlg*>(GetParent());
    if (m_bSetAndReturn) {
        ShowWindow(SW_HIDE);
        if (normal) normal->ShowWindow(SW_SHOW);
        return;
    }
    // Without the question's text there is nothing to ask: the return goes ahead.
    // A key the language lacks loads as an empty text.
    const auto question = m_mapText.find(kReturnQuestionText);
    if (question != m_mapText.end() && !question->second.empty()) {
        CCautionDlg prompt;
        if (!Ask(prompt, AnsiCodePage::ToWide(question->second))) return;
    }
    ShowWindow(SW_HIDE);
    if (normal) {
        normal->ShowWindow(SW_SHOW);
        normal->RefreshFromDevice();
    }
}

void CMoreSettingDlg::OnClose() { ReturnToNormal(); }

void CMoreSettingDlg::OnHScroll() { ShowTimezoneLabel(SliderGetPos(kSlider)); }

bool CMoreSettingDlg::PreTranslateMessage(const MSG& msg) {
    return chain::SwallowsKey(msg) || CDialogEx::PreTranslateMessage(msg);
}
