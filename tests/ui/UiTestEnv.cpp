#include "UiTestEnv.h"

#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <regex>
#include <sstream>

#include "CDialogEx.h"
#include "CLangIni.h"
#include "ModalLoops.h"
#include "RecorderControl.h"

namespace fs = std::filesystem;

void UiTest::SetUp() {
    char workTemplate[] = "/tmp/velmora-ui-XXXXXX";
    ASSERT_NE(mkdtemp(workTemplate), nullptr);
    m_workDir = workTemplate;
    fs::copy(DemoDir(), m_workDir, fs::copy_options::recursive);
    m_recorderDir = m_workDir / ".recorder";
    fs::create_directory(m_recorderDir);
    setenv("VELMORA_RECORDER_DIR", m_recorderDir.c_str(), 1);
    m_oldDir = fs::current_path();
    fs::current_path(m_workDir);
    ModalLoops::ResetQuit();
    Recorder({"reset"});
    Recorder({"attach"});
}

void UiTest::TearDown() {
    ProcessEvents();
    fs::current_path(m_oldDir);
    std::error_code ignored;
    fs::remove_all(m_workDir, ignored);
}

fs::path UiTest::DemoDir() { return VELMORA_DEMO_DIR; }

std::string UiTest::ReadLangFile() const {
    std::ifstream in(LangFile(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void UiTest::WriteLangFile(const std::string& content) const {
    std::ofstream(LangFile(), std::ios::binary | std::ios::trunc) << content;
}

void UiTest::DropTexts(const std::vector<int>& indices) const {
    std::string content = ReadLangFile();
    for (int index : indices) {
        content = std::regex_replace(content, std::regex("\n" + std::to_string(index) + "=[^\n]*"), "");
    }
    WriteLangFile(content);
}

void UiTest::EndTextsAt(int index) const {
    const std::string key = std::to_string(index);
    WriteLangFile(std::regex_replace(ReadLangFile(), std::regex("\n" + key + "=[^\r\n]*"), "\n" + key + "=end"));
}

std::string UiTest::Recorder(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RecorderControl::Main(args, out, err);
    EXPECT_EQ(status, 0) << err.str();
    return out.str();
}

std::string UiTest::RecorderField(const std::string& field) {
    const std::string status = Recorder({"status"});
    std::istringstream lines(status);
    for (std::string line; std::getline(lines, line);) {
        // Lines read "name=value"; values such as clock texts hold colons.
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        key.erase(0, key.find_first_not_of(' '));
        if (key != field) continue;
        std::string value = line.substr(equals + 1);
        value.erase(0, value.find_first_not_of(' '));
        return value;
    }
    ADD_FAILURE() << "no field " << field << " in:\n" << status;
    return {};
}

struct PromptDriver::Timer {
    QTimer timer;
};

PromptDriver::PromptDriver(std::vector<Answer> answers)
    : m_answers(std::move(answers)), m_timer(std::make_unique<Timer>()) {
    m_timer->timer.setInterval(2);
    QObject::connect(&m_timer->timer, &QTimer::timeout, [this] { Poll(); });
    m_timer->timer.start();
}

PromptDriver::~PromptDriver() { m_timer->timer.stop(); }

Answer PromptDriver::NextAnswer() { return m_next < m_answers.size() ? m_answers[m_next++] : Answer::Ok; }

namespace {

Rect RectOf(const QWidget* w) {
    return Rect{w->x(), w->y(), w->x() + w->width(), w->y() + w->height()};
}

void AnswerPrompt(CDialogEx& prompt, Answer answer) {
    QWidget* window = prompt.Widget();
    switch (answer) {
        case Answer::Ok: static_cast<QPushButton*>(prompt.DlgItemWidget(IDOK))->click(); break;
        case Answer::Cancel: static_cast<QPushButton*>(prompt.DlgItemWidget(IDCANCEL))->click(); break;
        case Answer::Enter: QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Return); break;
        case Answer::Escape: QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Escape); break;
        case Answer::Close: window->close(); break;
    }
}

}  // namespace

void PromptDriver::Poll() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(top);
        if (!box || !box->isVisible()) continue;
        SeenPrompt seen;
        seen.errorBox = true;
        seen.message = box->text().toStdU16String();
        m_seen.push_back(seen);
        if (m_onPrompt) m_onPrompt(seen);
        box->button(QMessageBox::Ok)->click();
        return;
    }
    CDialogEx* prompt = CDialogEx::FindVisibleDialog(131);
    if (!prompt) return;
    SeenPrompt seen;
    seen.title = prompt->GetWindowText();
    seen.message = prompt->GetDlgItemText(1057);
    seen.okText = prompt->GetDlgItemText(IDOK);
    seen.cancelText = prompt->GetDlgItemText(IDCANCEL);
    seen.cancelVisible = prompt->IsDlgItemVisible(IDCANCEL);
    seen.client = prompt->GetClientRect();
    seen.ok = RectOf(prompt->DlgItemWidget(IDOK));
    seen.cancel = RectOf(prompt->DlgItemWidget(IDCANCEL));
    m_seen.push_back(seen);
    if (m_onPrompt) m_onPrompt(seen);
    AnswerPrompt(*prompt, NextAnswer());
}

std::vector<std::u16string> PromptDriver::Messages() const {
    std::vector<std::u16string> messages;
    for (const SeenPrompt& seen : m_seen) messages.push_back(seen.errorBox ? u"<error>" : seen.message);
    return messages;
}

int PromptDriver::ErrorBoxes() const {
    return static_cast<int>(std::count_if(m_seen.begin(), m_seen.end(), [](const SeenPrompt& s) { return s.errorBox; }));
}

void Click(CDialogEx& dialog, int id) {
    auto* button = qobject_cast<QPushButton*>(dialog.DlgItemWidget(id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->click();
}

void TypeInto(CDialogEx& dialog, int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(dialog.DlgItemWidget(id));
    ASSERT_NE(edit, nullptr) << "no edit " << id;
    edit->clear();
    QTest::keyClicks(edit, text);
}

void ChooseComboItem(CDialogEx& dialog, int id, int index) {
    auto* combo = qobject_cast<QComboBox*>(dialog.DlgItemWidget(id));
    ASSERT_NE(combo, nullptr) << "no combo " << id;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void PressKey(CDialogEx& dialog, int qtKey) {
    QWidget* window = dialog.Widget();
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, static_cast<Qt::Key>(qtKey));
}

void CloseBox(CDialogEx& dialog) { dialog.Widget()->close(); }

void ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

void SaveScreenshot(CDialogEx& dialog, const std::string& name) {
    const fs::path folder = fs::path(VELMORA_BUILD_DIR) / "screenshots";
    fs::create_directories(folder);
    const bool visible = dialog.IsWindowVisible();
    if (!visible) dialog.Widget()->show();
    ProcessEvents();
    dialog.Widget()->grab().save(QString::fromStdString((folder / (name + ".png")).string()));
    if (!visible) dialog.Widget()->hide();
}

int RunModal(CDialogEx& dialog, const std::function<void()>& body) {
    QTimer::singleShot(0, [&] { body(); });
    return dialog.DoModal();
}

std::u16string U(const char* utf8) { return QString::fromUtf8(utf8).toStdU16String(); }
