#include "ControlFactory.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "DialogUnits.h"
#include "LinkMarkup.h"
#include "StaticWidget.h"

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QWidget* CreateStatic(const res::ControlTemplate& c, QWidget* dialog) {
    auto* label = new StaticWidget(dialog);
    label->setText(Utf8(c.caption));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(((c.flags & res::kCentered) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    return label;
}

QWidget* CreateLink(const res::ControlTemplate& c, QWidget* dialog) {
    auto* label = new StaticWidget(dialog);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(false);
    label->setText(LinkMarkup::ToRichText(Utf8(c.caption)));
    return label;
}

QWidget* CreateButton(const res::ControlTemplate& c, QWidget* dialog) {
    auto* button = new QPushButton(Utf8(c.caption), dialog);
    button->setAutoDefault(false);
    button->setDefault((c.flags & res::kDefault) != 0);
    return button;
}

QWidget* CreateEdit(const res::ControlTemplate& c, QWidget* dialog) {
    auto* edit = new QLineEdit(Utf8(c.caption), dialog);
    if (c.flags & res::kPassword) edit->setEchoMode(QLineEdit::Password);
    edit->setFrame((c.flags & res::kBorder) != 0);
    return edit;
}

QWidget* CreateCombo(QWidget* dialog) {
    auto* combo = new QComboBox(dialog);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(12);
    return combo;
}

QWidget* CreateSlider(QWidget* dialog) {
    auto* slider = new QSlider(Qt::Horizontal, dialog);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

QWidget* CreateWidget(const res::ControlTemplate& c, QWidget* dialog) {
    switch (c.kind) {
        case res::ControlKind::Static: return CreateStatic(c, dialog);
        case res::ControlKind::Link: return CreateLink(c, dialog);
        case res::ControlKind::GroupBox: return new QGroupBox(Utf8(c.caption), dialog);
        case res::ControlKind::PushButton: return CreateButton(c, dialog);
        case res::ControlKind::Edit: return CreateEdit(c, dialog);
        case res::ControlKind::ComboBox: return CreateCombo(dialog);
        case res::ControlKind::Slider: return CreateSlider(dialog);
    }
    return nullptr;
}

}  // namespace

QWidget* ControlFactory::Create(const res::ControlTemplate& c, const DialogUnits& units,
                                QWidget* dialog) {
    QWidget* widget = CreateWidget(c, dialog);
    QRect rect = units.Rect(c.x, c.y, c.w, c.h);
    // A drop-down box's template height includes its open list; closed, it is one line high.
    if (c.kind == res::ControlKind::ComboBox) rect.setHeight(widget->sizeHint().height());
    widget->setGeometry(rect);
    widget->setFocusPolicy((c.flags & res::kTabStop) ? Qt::StrongFocus : Qt::NoFocus);
    if (c.kind == res::ControlKind::GroupBox) widget->lower();
    widget->setVisible((c.flags & res::kHidden) == 0);
    const QString name = QString::fromUtf8(c.caption);
    if (!name.isEmpty()) widget->setAccessibleName(LinkMarkup::ToPlainText(name));
    return widget;
}
