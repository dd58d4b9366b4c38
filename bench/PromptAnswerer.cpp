#include "PromptAnswerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "CCautionDlg.h"
#include "CDialogEx.h"

PromptAnswerer::PromptAnswerer()
{
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start();
}

PromptAnswerer::~PromptAnswerer() { m_timer.stop(); }

void PromptAnswerer::Poll()
{
    if (CDialogEx* prompt = CDialogEx::FindVisibleDialog(CCautionDlg::kTemplateId)) {
        m_lastShown = std::chrono::steady_clock::now();
        static_cast<QPushButton*>(prompt->DlgItemWidget(IDOK))->click();
        ++m_answered;
        return;
    }
    // An error box means the run went wrong; answer it so the run ends.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(top);
        if (box && box->isVisible()) {
            box->button(QMessageBox::Ok)->click();
            ++m_answered;
            return;
        }
    }
}
