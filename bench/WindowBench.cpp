// The windows' text idiom (SetLangIni, RefreshTexts), one caution prompt, and
// the advanced settings window's opening and "Set and return" on the virtual
// recorder, each beside the cost of the recorder calls it makes.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <string>

#include "BenchWorkspace.h"
#include "CCautionDlg.h"
#include "CDialogEx.h"
#include "CLangIni.h"
#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "CVelmoraDlg.h"
#include "DeviceCalls.h"
#include "DravinProtocol.h"
#include "PromptAnswerer.h"

namespace {

// Login window.
constexpr int kConnect = 2004;
constexpr int kPasswordEdit = 1007;
constexpr int kLogin = 2005;
constexpr int kLangCombo = 1019;
// Basic window.
constexpr int kSetting = 2021;
// Advanced window.
constexpr int kSetAndReturn = 2037;

void Press(CDialogEx& dialog, int id) { static_cast<QPushButton*>(dialog.DlgItemWidget(id))->click(); }

void Type(CDialogEx& dialog, int id, const std::u16string& text) { dialog.SetDlgItemText(id, text); }

// The window chain, logged in: the basic settings window is shown.
class LoggedIn {
public:
    LoggedIn() : m_login(std::make_unique<CVelmoraDlg>()) {
        m_login->Create(nullptr);
        m_login->ShowWindow(SW_SHOW);
        PromptAnswerer prompts;
        Press(*m_login, kConnect);
        Type(*m_login, kPasswordEdit, u"000000");
        Press(*m_login, kLogin);
        m_ok = prompts.Answered() == 0 && Normal().IsWindowVisible();
    }
    ~LoggedIn() { m_login->DestroyWindow(); }

    bool Ok() const { return m_ok; }
    CVelmoraDlg& Login() { return *m_login; }
    CNormalSettingsDlg& Normal() { return *m_login->NormalSettingsDlg(); }
    CMoreSettingDlg& More() { return *Normal().m_pMoreSettingDlg; }

private:
    std::unique_ptr<CVelmoraDlg> m_login;
    bool m_ok = false;
};

template <typename Dialog>
void SetLangIniOf(benchmark::State& state) {
    BenchWorkspace workspace;
    const CLangIni lang;
    Dialog dialog;
    for (auto _ : state) {
        dialog.SetLangIni(lang);
        benchmark::ClobberMemory();
    }
}

void BM_NormalSettings_SetLangIni(benchmark::State& state) { SetLangIniOf<CNormalSettingsDlg>(state); }
void BM_MoreSettings_SetLangIni(benchmark::State& state) { SetLangIniOf<CMoreSettingDlg>(state); }
void BM_Caution_SetLangIni(benchmark::State& state) { SetLangIniOf<CCautionDlg>(state); }
BENCHMARK(BM_NormalSettings_SetLangIni)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoreSettings_SetLangIni)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Caution_SetLangIni)->Unit(benchmark::kMicrosecond);

template <typename Dialog>
void RefreshTextsOf(benchmark::State& state) {
    BenchWorkspace workspace;
    const CLangIni lang;
    Dialog dialog;
    dialog.SetLangIni(lang);
    dialog.Create(nullptr);
    for (auto _ : state) dialog.RefreshTexts();
    dialog.DestroyWindow();
}

void BM_NormalSettings_RefreshTexts(benchmark::State& state) { RefreshTextsOf<CNormalSettingsDlg>(state); }
void BM_MoreSettings_RefreshTexts(benchmark::State& state) { RefreshTextsOf<CMoreSettingDlg>(state); }
BENCHMARK(BM_NormalSettings_RefreshTexts)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoreSettings_RefreshTexts)->Unit(benchmark::kMicrosecond);

// The login window refreshes its texts on a change of language; the change also
// writes the selection to the language file, refreshes the basic window and
// rebuilds the advanced one.
void BM_Login_LanguageChange(benchmark::State& state) {
    BenchWorkspace workspace;
    LoggedIn chain;
    if (!chain.Ok()) return state.SkipWithError("login failed");
    auto* combo = static_cast<QComboBox*>(chain.Login().DlgItemWidget(kLangCombo));
    int index = 0;
    for (auto _ : state) {
        index = 1 - index;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
}
BENCHMARK(BM_Login_LanguageChange)->Unit(benchmark::kMicrosecond);

// One prompt as a window shows it: the prompt is built (which loads the language
// file), takes the window's language, builds its window and shows it; the time
// ends when the event loop first finds it visible. The answer and the window's
// end are outside the time.
void BM_Caution_ShowCaution_ToShown(benchmark::State& state) {
    BenchWorkspace workspace;
    const CLangIni lang;
    PromptAnswerer prompts;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        CCautionDlg prompt;
        prompt.ShowCaution(u"Caution", u"A message of some length for the prompt.", lang, true);
        state.SetIterationTime(std::chrono::duration<double>(prompts.LastShown() - start).count());
    }
    if (prompts.Answered() != static_cast<int>(state.iterations())) state.SkipWithError("a prompt was missed");
}
BENCHMARK(BM_Caution_ShowCaution_ToShown)->Unit(benchmark::kMicrosecond)->UseManualTime();

// The same, up to the return of ShowCaution once OK is pressed and the window is gone.
void BM_Caution_ShowCaution_RoundTrip(benchmark::State& state) {
    BenchWorkspace workspace;
    const CLangIni lang;
    PromptAnswerer prompts;
    for (auto _ : state) {
        CCautionDlg prompt;
        benchmark::DoNotOptimize(prompt.ShowCaution(u"Caution", u"A message of some length for the prompt.", lang, true));
    }
}
BENCHMARK(BM_Caution_ShowCaution_RoundTrip)->Unit(benchmark::kMicrosecond);

// "Setting" pressed in the basic window until the advanced window is shown.
void BM_MoreSettings_Open(benchmark::State& state) {
    BenchWorkspace workspace;
    LoggedIn chain;
    if (!chain.Ok()) return state.SkipWithError("login failed");
    PromptAnswerer prompts;
    for (auto _ : state) {
        Press(chain.Normal(), kSetting);
        state.PauseTiming();
        chain.More().ShowWindow(SW_HIDE);
        chain.Normal().ShowWindow(SW_SHOW);
        state.ResumeTiming();
    }
    if (prompts.Answered() != 0) state.SkipWithError("the opening showed prompts");
}
BENCHMARK(BM_MoreSettings_Open)->Unit(benchmark::kMicrosecond);

// The recorder opened and logged in to, as after the login window.
bool OpenAndLogIn() { return Open_Device() && Login("000000", 6); }

// The recorder calls of one opening, alone.
void BM_MoreSettings_OpenRecorderCalls(benchmark::State& state) {
    BenchWorkspace workspace;
    if (!OpenAndLogIn()) return state.SkipWithError("login failed");
    uint32_t value = 0;
    std::u16string version;
    for (auto _ : state) {
        bool ok = get_Resolution(&value) && get_VideoSplitTime(&value) && get_Gps(&value) &&
                  get_SoundVolume(&value) && get_Video_quality(&value) && get_Infrared(&value) &&
                  get_Recording_warning(&value) && get_loop_record(&value) && get_video_codec_format(&value) &&
                  get_pre_record(&value) && get_Timezone_info(&value) && DeviceGetFirmwareVersion(version);
        if (!ok) return state.SkipWithError("a recorder call failed");
    }
}
BENCHMARK(BM_MoreSettings_OpenRecorderCalls)->Unit(benchmark::kMicrosecond);

// "Set and return" pressed until the basic window is back, its one prompt
// ("all written") answered at once.
void BM_MoreSettings_SetAndReturn(benchmark::State& state) {
    BenchWorkspace workspace;
    LoggedIn chain;
    if (!chain.Ok()) return state.SkipWithError("login failed");
    PromptAnswerer prompts;
    Press(chain.Normal(), kSetting);
    for (auto _ : state) {
        Press(chain.More(), kSetAndReturn);
        state.PauseTiming();
        chain.More().m_bSetAndReturn = false;
        Press(chain.Normal(), kSetting);
        state.ResumeTiming();
    }
    if (prompts.Answered() != static_cast<int>(state.iterations())) state.SkipWithError("unexpected prompts");
}
BENCHMARK(BM_MoreSettings_SetAndReturn)->Unit(benchmark::kMicrosecond);

// The recorder calls of one "Set and return", alone.
void BM_MoreSettings_SetRecorderCalls(benchmark::State& state) {
    BenchWorkspace workspace;
    if (!OpenAndLogIn()) return state.SkipWithError("login failed");
    for (auto _ : state) {
        bool ok = set_Resolution(0) && set_VideoSplitTime(0) && set_Gps(0) && set_SoundVolume(0) &&
                  set_Video_quality(0) && set_Infrared(0) && set_Recording_warning(0) && set_loop_record(0) &&
                  set_video_codec_format(0) && set_pre_record(0) && set_Timezone_info(12);
        if (!ok) return state.SkipWithError("a recorder call failed");
    }
}
BENCHMARK(BM_MoreSettings_SetRecorderCalls)->Unit(benchmark::kMicrosecond);

}  // namespace
