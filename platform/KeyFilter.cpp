#include "KeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "CDialogEx.h"
#include "DialogWidget.h"

namespace {

uintptr_t VirtualKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Space: return VK_SPACE;
        default: break;
    }
    if (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_Z) return static_cast<uintptr_t>(key.key());
    return key.nativeVirtualKey();
}

}  // namespace

void KeyFilter::InstallOnce() {
    static KeyFilter* filter = nullptr;
    if (filter || !qApp) return;
    filter = new KeyFilter(qApp);
    qApp->installEventFilter(filter);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* widget = static_cast<QWidget*>(watched);
    CDialogEx* dialog = DialogWidget::DialogOf(widget->window());
    if (!dialog) return false;
    const MSG msg{WM_KEYDOWN, VirtualKey(*static_cast<QKeyEvent*>(event)), 0};
    return dialog->PreTranslate(msg);
}
