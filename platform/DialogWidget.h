#pragma once

#include <QDialog>
#include <QPointer>
#include <map>
#include <vector>

#include "DialogTemplate.h"

class CDialogEx;

// The real window of a CDialogEx: the template's controls as widgets, and the
// toolkit's events handed to the dialog's handlers.
class DialogWidget : public QDialog {
public:
    DialogWidget(CDialogEx& owner, const res::DialogTemplate& dialogTemplate, QWidget* parent);
    ~DialogWidget() override;

    QWidget* Control(int id) const;
    // The dialog no longer hears from this widget (it is going away).
    void Detach();
    void AddMenuCommand(unsigned commandId, const QString& text);
    static CDialogEx* DialogOf(const QWidget* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;
    void accept() override;
    void done(int result) override;

private:
    void BuildControls(const res::DialogTemplate& dialogTemplate);
    void Connect(int id, QWidget* control);

    CDialogEx* m_owner;
    std::map<int, QWidget*> m_controls;
    std::vector<std::pair<unsigned, QString>> m_menu;
};
