#pragma once

#include <QObject>

// Shows every key-down to the PreTranslateMessage of the dialog it is meant for,
// before the widget that has the focus sees it; a dialog can swallow it there.
class KeyFilter : public QObject {
public:
    static void InstallOnce();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
