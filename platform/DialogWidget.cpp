#include "DialogWidget.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>

#include "CDialogEx.h"
#include "ControlFactory.h"
#include "DialogUnits.h"
#include "KeyFilter.h"

namespace {

Qt::WindowFlags FlagsFor(const res::DialogTemplate& t) {
    Qt::WindowFlags flags = t.appWindow ? Qt::Window : Qt::Dialog;
    return flags | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

}  // namespace

DialogWidget::DialogWidget(CDialogEx& owner, const res::DialogTemplate& t, QWidget* parent)
    : QDialog(parent, FlagsFor(t)), m_owner(&owner) {
    KeyFilter::InstallOnce();
    QFont font(QString::fromUtf8(t.fontFace));
    font.setPointSize(t.fontPoints);
    setFont(font);
    const DialogUnits units(font);
    setFixedSize(units.X(t.w), units.Y(t.h));
    setWindowTitle(QString::fromUtf8(t.caption));
    setSizeGripEnabled(false);
    BuildControls(t);
}

DialogWidget::~DialogWidget() = default;

void DialogWidget::BuildControls(const res::DialogTemplate& t) {
    const DialogUnits units(font());
    for (const res::ControlTemplate& c : t.controls) {
        QWidget* control = ControlFactory::Create(c, units, this);
        if (c.id == res::kNoId) continue;
        m_controls.emplace(c.id, control);
        Connect(c.id, control);
    }
}

void DialogWidget::Connect(int id, QWidget* control) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        connect(button, &QPushButton::clicked, this, [this, id] {
            if (m_owner) m_owner->Guarded([&] { m_owner->OnButtonClicked(id); });
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        connect(combo, &QComboBox::activated, this, [this, id] {
            if (m_owner) m_owner->Guarded([&] { m_owner->OnSelChange(id); });
        });
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
        auto notify = [this] {
            if (m_owner) m_owner->Guarded([&] { m_owner->OnHScroll(); });
        };
        connect(slider, &QSlider::valueChanged, this, notify);
        connect(slider, &QSlider::sliderReleased, this, notify);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        connect(label, &QLabel::linkActivated, this, [this, id](const QString& target) {
            if (m_owner) m_owner->Guarded([&] { m_owner->OnLinkClicked(id, target.toStdU16String()); });
        });
    }
}

QWidget* DialogWidget::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void DialogWidget::Detach() { m_owner = nullptr; }

void DialogWidget::AddMenuCommand(unsigned commandId, const QString& text) {
    m_menu.emplace_back(commandId, text);
}

CDialogEx* DialogWidget::DialogOf(const QWidget* window) {
    const auto* dialog = dynamic_cast<const DialogWidget*>(window);
    return dialog ? dialog->m_owner : nullptr;
}

void DialogWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_owner) m_owner->Guarded([&] { m_owner->OnClose(); });
}

void DialogWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (m_menu.empty() || !m_owner) return;
    QMenu menu(this);
    for (const auto& [commandId, text] : m_menu) {
        menu.addSeparator();
        const unsigned id = commandId;
        menu.addAction(text, this, [this, id] {
            if (m_owner) m_owner->SendSysCommand(id);
        });
    }
    menu.exec(event->globalPos());
}

void DialogWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_owner) {
        m_owner->MarkShown();
    }
    QDialog::changeEvent(event);
}

void DialogWidget::reject() {
    if (m_owner) m_owner->Guarded([&] { m_owner->OnCancel(); });
}

void DialogWidget::accept() {
    if (m_owner) m_owner->Guarded([&] { m_owner->OnOK(); });
}

// The dialog decides when it ends (EndDialog); the toolkit's own ending is not used.
void DialogWidget::done(int) {}
