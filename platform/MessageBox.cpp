#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>

void AfxMessageBox(const std::u16string& text, MessageIcon icon) {
    QMessageBox box;
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setText(QString::fromStdU16String(text));
    box.setStandardButtons(QMessageBox::Ok);
    switch (icon) {
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Stop: box.setIcon(QMessageBox::Critical); break;
    }
    box.exec();
}

void ShowInvalidArgumentError() { AfxMessageBox(kInvalidArgumentText, MessageIcon::Stop); }
