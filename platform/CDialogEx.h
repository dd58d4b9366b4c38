#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Messages.h"

class CStatic;
class DialogWidget;
class QEventLoop;
class QWidget;

// A dialog built from a dialog template: real widgets at the template's places,
// reached by control id. A window class derives from it and overrides the
// handlers it needs. Handlers run inside a guard: an invalid-argument error
// (std::out_of_range from a checked lookup) stops the handler and shows the
// error box; the window stays usable.
class CDialogEx {
public:
    explicit CDialogEx(int templateId);
    virtual ~CDialogEx();
    CDialogEx(const CDialogEx&) = delete;
    CDialogEx& operator=(const CDialogEx&) = delete;

    // Builds the window, runs OnInitDialog, shows it and runs a modal loop until
    // EndDialog, the quit message or the end of the close path; then destroys the
    // window. Returns the EndDialog result (IDCANCEL on quit, -1 if no window).
    int DoModal();
    // Builds the window owned by parent and runs OnInitDialog; the window stays hidden.
    bool Create(CDialogEx* parent);
    // Runs OnDestroy and deletes the widgets.
    void DestroyWindow();
    void EndDialog(int result);
    bool IsWindow() const;
    int TemplateId() const { return m_templateId; }
    CDialogEx* GetParent() const { return m_parent; }

    // The window.
    void SetWindowText(const std::u16string& text);
    std::u16string GetWindowText() const;
    void ShowWindow(int command);
    bool IsWindowVisible() const;
    void UpdateWindow();
    void SetIcon(int iconId);
    Rect GetClientRect() const;
    // Adds a separator and a command to the window menu (its context menu; the
    // window manager's own menu cannot be extended). The command reaches OnSysCommand.
    void AppendSystemMenuItem(unsigned commandId, const std::u16string& text);

    // Controls, by id. Operations on an id the window lacks do nothing.
    void SetDlgItemText(int id, const std::u16string& text);
    std::u16string GetDlgItemText(int id) const;
    void LimitText(int id, int maxChars);
    void ShowDlgItem(int id, bool show);
    bool IsDlgItemVisible(int id) const;
    void EnableDlgItem(int id, bool enable);
    bool IsDlgItemEnabled(int id) const;
    void MoveDlgItem(int id, const Rect& rect, bool repaint);
    void SubclassDlgItem(int id, CStatic& control);

    // Combo boxes.
    void ComboResetContent(int id);
    void ComboAddString(int id, const std::u16string& text);
    void ComboSetCurSel(int id, int index);  // -1 selects nothing
    int ComboGetCurSel(int id) const;        // -1 when nothing is selected
    int ComboGetCount(int id) const;
    std::u16string ComboGetItemText(int id, int index) const;
    void ComboSetEditReadOnly(int id);
    void ComboClearEdit(int id);

    // Sliders.
    void SliderSetRange(int id, int minimum, int maximum, bool redraw);
    void SliderSetTicFreq(int id, int frequency);
    void SliderSetPos(int id, int position);
    int SliderGetPos(int id) const;

    // Sends a message to WindowProc, inside the handler guard.
    intptr_t SendMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
    // Sends a window-menu command to OnSysCommand, inside the handler guard.
    void SendSysCommand(unsigned commandId);

    // Test and screenshot access.
    QWidget* Widget() const;
    QWidget* DlgItemWidget(int id) const;
    static std::vector<CDialogEx*> AllDialogs();
    static CDialogEx* FindVisibleDialog(int templateId);
    using DestroyObserver = std::function<void(CDialogEx&)>;
    static void SetDestroyObserver(DestroyObserver observer);

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange();
    virtual void OnButtonClicked(int id);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnClose();
    virtual void OnDestroy();
    virtual void OnSelChange(int id);
    virtual void OnHScroll();
    virtual void OnSysCommand(unsigned commandId);
    virtual void OnLinkClicked(int id, const std::u16string& target);
    virtual bool PreTranslateMessage(const MSG& msg);
    virtual intptr_t WindowProc(unsigned message, uintptr_t wParam, intptr_t lParam);

private:
    friend class DialogWidget;
    friend class KeyFilter;
    bool BuildWindow(CDialogEx* owner);
    // Runs a handler; false when it ended with an error (the error box was shown).
    bool Guarded(const std::function<void()>& handler);
    bool PreTranslate(const MSG& msg);
    // Records that this window came to the front: prompts are placed over the
    // window that was last brought forward.
    void MarkShown();
    void PlaceOnScreen(const CDialogEx* owner);
    void FocusFirstTabStop();
    void RunModalLoop();
    static CDialogEx* FrontmostVisible(const CDialogEx* except);

    const int m_templateId;
    CDialogEx* m_parent = nullptr;
    DialogWidget* m_widget = nullptr;
    bool m_modal = false;
    bool m_ended = false;
    int m_result = -1;
    bool m_placed = false;
    unsigned long long m_shownSerial = 0;
    QEventLoop* m_loop = nullptr;
};
