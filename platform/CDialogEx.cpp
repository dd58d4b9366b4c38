#include "CDialogEx.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

#include "CStatic.h"
#include "DialogWidget.h"
#include "LinkMarkup.h"
#include "MessageBox.h"
#include "ModalLoops.h"
#include "ProgramIcon.h"
#include "StaticWidget.h"

namespace {

std::vector<CDialogEx*>& Registry() {
    static std::vector<CDialogEx*> dialogs;
    return dialogs;
}

CDialogEx::DestroyObserver& Observer() {
    static CDialogEx::DestroyObserver observer;
    return observer;
}

unsigned long long g_shownSerial = 0;

QString Q(const std::u16string& text) { return QString::fromStdU16String(text); }

template <class T>
T* As(QWidget* widget) {
    return qobject_cast<T*>(widget);
}

}  // namespace

CDialogEx::CDialogEx(int templateId) : m_templateId(templateId) { Registry().push_back(this); }

CDialogEx::~CDialogEx() {
    if (m_widget) {
        m_widget->Detach();
        delete m_widget;
        m_widget = nullptr;
    }
    auto& dialogs = Registry();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
}

bool CDialogEx::BuildWindow(CDialogEx* owner) {
    const res::DialogTemplate* t = res::FindTemplate(m_templateId);
    if (!t || m_widget) return false;
    m_parent = owner;
    m_placed = false;
    m_widget = new DialogWidget(*this, *t, nullptr);
    return true;
}

bool CDialogEx::Create(CDialogEx* parent) {
    m_modal = false;
    if (!BuildWindow(parent)) return false;
    Guarded([this] { OnInitDialog(); });
    return true;
}

int CDialogEx::DoModal() {
    m_modal = true;
    m_ended = false;
    m_result = -1;
    const CDialogEx* owner = FrontmostVisible(this);
    if (!BuildWindow(nullptr)) return -1;
    if (owner) {
        m_widget->setWindowModality(Qt::ApplicationModal);
        m_widget->winId();
        if (QWindow* window = m_widget->windowHandle()) {
            window->setTransientParent(owner->m_widget->windowHandle());
        }
    }
    // A window whose initialisation failed opens where the toolkit puts it.
    const bool initialised = Guarded([this] { OnInitDialog(); });
    if (!m_ended && !ModalLoops::QuitReceived() && m_widget) {
        if (initialised) PlaceOnScreen(owner);
        m_widget->show();
        MarkShown();
        RunModalLoop();
    }
    const int result = m_ended ? m_result : IDCANCEL;
    DestroyWindow();
    return result;
}

void CDialogEx::RunModalLoop() {
    QEventLoop loop;
    m_loop = &loop;
    ModalLoops::Push(&loop);
    if (!m_ended) loop.exec();
    ModalLoops::Pop(&loop);
    m_loop = nullptr;
}

void CDialogEx::DestroyWindow() {
    if (!m_widget) return;
    if (Observer()) Observer()(*this);
    Guarded([this] { OnDestroy(); });
    DialogWidget* widget = m_widget;
    m_widget = nullptr;
    widget->Detach();
    widget->hide();
    delete widget;
}

void CDialogEx::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (m_widget) m_widget->hide();
    if (m_loop) m_loop->exit(0);
}

bool CDialogEx::IsWindow() const { return m_widget != nullptr; }

bool CDialogEx::Guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception&) {
        // An improper argument stops the handler; the window goes on.
        ShowInvalidArgumentError();
        return false;
    }
}

bool CDialogEx::PreTranslate(const MSG& msg) {
    bool swallowed = false;
    Guarded([&] { swallowed = PreTranslateMessage(msg); });
    return swallowed;
}

void CDialogEx::MarkShown() { m_shownSerial = ++g_shownSerial; }

CDialogEx* CDialogEx::FrontmostVisible(const CDialogEx* except) {
    CDialogEx* best = nullptr;
    for (CDialogEx* dialog : Registry()) {
        if (dialog == except || !dialog->IsWindowVisible()) continue;
        if (!best || dialog->m_shownSerial > best->m_shownSerial) best = dialog;
    }
    return best;
}

void CDialogEx::PlaceOnScreen(const CDialogEx* owner) {
    if (m_placed || !m_widget) return;
    m_placed = true;
    QRect area;
    if (owner && owner->m_widget && owner->m_widget->isVisible()) {
        area = owner->m_widget->geometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isNull()) return;
    const QSize size = m_widget->size();
    m_widget->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void CDialogEx::SetWindowText(const std::u16string& text) {
    if (m_widget) m_widget->setWindowTitle(Q(text));
}

std::u16string CDialogEx::GetWindowText() const {
    return m_widget ? m_widget->windowTitle().toStdU16String() : std::u16string();
}

void CDialogEx::ShowWindow(int command) {
    if (!m_widget) return;
    if (command == SW_HIDE) {
        m_widget->hide();
        return;
    }
    PlaceOnScreen(nullptr);
    m_widget->show();
    m_widget->raise();
    m_widget->activateWindow();
    MarkShown();
}

bool CDialogEx::IsWindowVisible() const { return m_widget && m_widget->isVisible(); }

void CDialogEx::UpdateWindow() {
    if (m_widget && m_widget->isVisible()) m_widget->repaint();
}

void CDialogEx::SetIcon(int iconId) {
    if (m_widget) m_widget->setWindowIcon(ProgramIcon::Load(iconId));
}

Rect CDialogEx::GetClientRect() const {
    if (!m_widget) return {};
    return Rect{0, 0, m_widget->width(), m_widget->height()};
}

void CDialogEx::AppendSystemMenuItem(unsigned commandId, const std::u16string& text) {
    if (m_widget) m_widget->AddMenuCommand(commandId, Q(text));
}

QWidget* CDialogEx::Widget() const { return m_widget; }

QWidget* CDialogEx::DlgItemWidget(int id) const { return m_widget ? m_widget->Control(id) : nullptr; }

void CDialogEx::SetDlgItemText(int id, const std::u16string& text) {
    QWidget* control = DlgItemWidget(id);
    if (auto* button = As<QPushButton>(control)) {
        button->setText(Q(text));
    } else if (auto* group = As<QGroupBox>(control)) {
        group->setTitle(Q(text));
    } else if (auto* edit = As<QLineEdit>(control)) {
        edit->setText(Q(text));
    } else if (auto* combo = As<QComboBox>(control)) {
        combo->setEditText(Q(text));
    } else if (auto* label = As<QLabel>(control)) {
        label->setText(label->textFormat() == Qt::RichText ? LinkMarkup::ToRichText(Q(text)) : Q(text));
    } else {
        return;
    }
    control->setAccessibleName(LinkMarkup::ToPlainText(Q(text)));
}

std::u16string CDialogEx::GetDlgItemText(int id) const {
    QWidget* control = DlgItemWidget(id);
    QString text;
    if (auto* button = As<QPushButton>(control)) {
        text = button->text();
    } else if (auto* group = As<QGroupBox>(control)) {
        text = group->title();
    } else if (auto* edit = As<QLineEdit>(control)) {
        text = edit->text();
    } else if (auto* combo = As<QComboBox>(control)) {
        text = combo->currentText();
    } else if (auto* label = As<QLabel>(control)) {
        text = label->text();
    }
    return text.toStdU16String();
}

void CDialogEx::LimitText(int id, int maxChars) {
    if (auto* edit = As<QLineEdit>(DlgItemWidget(id))) edit->setMaxLength(maxChars);
}

void CDialogEx::ShowDlgItem(int id, bool show) {
    if (QWidget* control = DlgItemWidget(id)) control->setVisible(show);
}

bool CDialogEx::IsDlgItemVisible(int id) const {
    QWidget* control = DlgItemWidget(id);
    return control && !control->isHidden();
}

void CDialogEx::EnableDlgItem(int id, bool enable) {
    if (QWidget* control = DlgItemWidget(id)) control->setEnabled(enable);
}

bool CDialogEx::IsDlgItemEnabled(int id) const {
    QWidget* control = DlgItemWidget(id);
    return control && control->isEnabled();
}

void CDialogEx::MoveDlgItem(int id, const Rect& rect, bool repaint) {
    QWidget* control = DlgItemWidget(id);
    if (!control) return;
    control->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (repaint) control->repaint();
}

void CDialogEx::SubclassDlgItem(int id, CStatic& control) {
    if (auto* label = dynamic_cast<StaticWidget*>(DlgItemWidget(id))) label->Bind(&control);
}

void CDialogEx::ComboResetContent(int id) {
    if (auto* combo = As<QComboBox>(DlgItemWidget(id))) {
        const QSignalBlocker block(combo);
        combo->clear();
        combo->setCurrentIndex(-1);
    }
}

void CDialogEx::ComboAddString(int id, const std::u16string& text) {
    auto* combo = As<QComboBox>(DlgItemWidget(id));
    if (!combo) return;
    const QSignalBlocker block(combo);
    const int selected = combo->currentIndex();
    const QString edit = combo->currentText();
    combo->addItem(Q(text));
    // Adding an item selects nothing: the toolkit would select the first one.
    if (selected < 0) {
        combo->setCurrentIndex(-1);
        combo->setEditText(edit);
    }
}

void CDialogEx::ComboSetCurSel(int id, int index) {
    auto* combo = As<QComboBox>(DlgItemWidget(id));
    if (!combo) return;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int CDialogEx::ComboGetCurSel(int id) const {
    auto* combo = As<QComboBox>(DlgItemWidget(id));
    return combo ? combo->currentIndex() : -1;
}

int CDialogEx::ComboGetCount(int id) const {
    auto* combo = As<QComboBox>(DlgItemWidget(id));
    return combo ? combo->count() : 0;
}

std::u16string CDialogEx::ComboGetItemText(int id, int index) const {
    auto* combo = As<QComboBox>(DlgItemWidget(id));
    return combo ? combo->itemText(index).toStdU16String() : std::u16string();
}

void CDialogEx::ComboSetEditReadOnly(int id) {
    auto* combo = As<QComboBox>(DlgItemWidget(id));
    if (combo && combo->lineEdit()) combo->lineEdit()->setReadOnly(true);
}

void CDialogEx::ComboClearEdit(int id) {
    auto* combo = As<QComboBox>(DlgItemWidget(id));
    if (combo && combo->lineEdit() && combo->lineEdit()->hasSelectedText()) combo->lineEdit()->del();
}

void CDialogEx::SliderSetRange(int id, int minimum, int maximum, bool redraw) {
    auto* slider = As<QSlider>(DlgItemWidget(id));
    if (!slider) return;
    const QSignalBlocker block(slider);
    slider->setRange(minimum, maximum);
    if (redraw) slider->repaint();
}

void CDialogEx::SliderSetTicFreq(int id, int frequency) {
    if (auto* slider = As<QSlider>(DlgItemWidget(id))) slider->setTickInterval(frequency);
}

void CDialogEx::SliderSetPos(int id, int position) {
    auto* slider = As<QSlider>(DlgItemWidget(id));
    if (!slider) return;
    const QSignalBlocker block(slider);
    slider->setValue(position);
    slider->repaint();
}

int CDialogEx::SliderGetPos(int id) const {
    auto* slider = As<QSlider>(DlgItemWidget(id));
    return slider ? slider->value() : 0;
}

intptr_t CDialogEx::SendMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    intptr_t result = 0;
    Guarded([&] { result = WindowProc(message, wParam, lParam); });
    return result;
}

void CDialogEx::SendSysCommand(unsigned commandId) {
    Guarded([&] { OnSysCommand(commandId); });
}

std::vector<CDialogEx*> CDialogEx::AllDialogs() { return Registry(); }

CDialogEx* CDialogEx::FindVisibleDialog(int templateId) {
    for (CDialogEx* dialog : Registry()) {
        if (dialog->m_templateId == templateId && dialog->IsWindowVisible()) return dialog;
    }
    return nullptr;
}

void CDialogEx::SetDestroyObserver(DestroyObserver observer) { Observer() = std::move(observer); }

bool CDialogEx::OnInitDialog() {
    DoDataExchange();
    FocusFirstTabStop();
    return true;
}

void CDialogEx::FocusFirstTabStop() {
    if (!m_widget) return;
    for (QWidget* child : m_widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->focusPolicy() & Qt::TabFocus && !child->isHidden() && child->isEnabled()) {
            child->setFocus();
            return;
        }
    }
}

void CDialogEx::DoDataExchange() {}

void CDialogEx::OnButtonClicked(int id) {
    if (id == IDOK) OnOK();
    if (id == IDCANCEL) OnCancel();
}

void CDialogEx::OnOK() { EndDialog(IDOK); }

void CDialogEx::OnCancel() { EndDialog(IDCANCEL); }

void CDialogEx::OnClose() {
    if (m_modal) {
        OnCancel();
    } else {
        ShowWindow(SW_HIDE);
    }
}

void CDialogEx::OnDestroy() {}

void CDialogEx::OnSelChange(int) {}

void CDialogEx::OnHScroll() {}

void CDialogEx::OnSysCommand(unsigned) {}

void CDialogEx::OnLinkClicked(int, const std::u16string&) {}

bool CDialogEx::PreTranslateMessage(const MSG&) { return false; }

intptr_t CDialogEx::WindowProc(unsigned, uintptr_t, intptr_t) { return 0; }
