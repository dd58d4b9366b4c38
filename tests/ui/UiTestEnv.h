#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "CDialogEx.h"

// What the tests of the windows share: a temporary working folder holding a copy
// of the demo language file and logo, a fresh virtual recorder in a temporary
// state folder, and the means to press real buttons and answer real prompts.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static std::filesystem::path DemoDir();
    std::filesystem::path WorkDir() const { return m_workDir; }
    std::filesystem::path LangFile() const { return m_workDir / "config" / "lang.ini"; }
    std::string ReadLangFile() const;
    void WriteLangFile(const std::string& content) const;
    // Removes "key=value" lines of the given text indices from every language.
    // (An absent key below a table's end still loads, as an empty text.)
    void DropTexts(const std::vector<int>& indices) const;
    // Ends every language's table at the index: it and all later texts are missing.
    void EndTextsAt(int index) const;

    // Runs a control-tool command on the virtual recorder; fails the test on error.
    static std::string Recorder(const std::vector<std::string>& args);
    static std::string RecorderField(const std::string& field);

private:
    std::filesystem::path m_workDir;
    std::filesystem::path m_recorderDir;
    std::filesystem::path m_oldDir;
};

// How a test answers a prompt.
enum class Answer { Ok, Cancel, Enter, Escape, Close };

// A prompt or error box that appeared while a PromptDriver was alive.
struct SeenPrompt {
    bool errorBox = false;
    std::u16string title;
    std::u16string message;
    std::u16string okText;
    std::u16string cancelText;
    bool cancelVisible = false;
    Rect client;
    Rect ok;
    Rect cancel;
};

// Answers every caution prompt and error box that comes up, by pressing its real
// buttons or keys, in the order of the given answers (OK once they run out).
class PromptDriver {
public:
    explicit PromptDriver(std::vector<Answer> answers = {});
    ~PromptDriver();
    PromptDriver(const PromptDriver&) = delete;
    PromptDriver& operator=(const PromptDriver&) = delete;

    const std::vector<SeenPrompt>& Seen() const { return m_seen; }
    // The messages of the caution prompts, in order (error boxes as "<error>").
    std::vector<std::u16string> Messages() const;
    int ErrorBoxes() const;
    // Runs for each prompt or error box while it is still open, before it is answered.
    void OnEachPrompt(std::function<void(const SeenPrompt&)> hook) { m_onPrompt = std::move(hook); }

private:
    void Poll();
    Answer NextAnswer();

    std::vector<Answer> m_answers;
    size_t m_next = 0;
    std::vector<SeenPrompt> m_seen;
    struct Timer;
    std::unique_ptr<Timer> m_timer;
    std::function<void(const SeenPrompt&)> m_onPrompt;
};

// Real user actions on a dialog's controls.
void Click(CDialogEx& dialog, int id);
void TypeInto(CDialogEx& dialog, int id, const QString& text);
void ChooseComboItem(CDialogEx& dialog, int id, int index);
void PressKey(CDialogEx& dialog, int qtKey);
void CloseBox(CDialogEx& dialog);
void ProcessEvents();
// Saves a picture of the window's real widgets under <build>/screenshots/name.png.
void SaveScreenshot(CDialogEx& dialog, const std::string& name);
// Runs body inside the dialog's modal loop (queued), returns DoModal's result.
int RunModal(CDialogEx& dialog, const std::function<void()>& body);

std::u16string U(const char* utf8);
