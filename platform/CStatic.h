#pragma once

class CPaintDC;
class StaticWidget;

// A static control whose painting a window class can take over: bind it to a
// control of a dialog (CDialogEx::SubclassDlgItem) and override OnPaint.
class CStatic {
public:
    CStatic() = default;
    virtual ~CStatic();
    CStatic(const CStatic&) = delete;
    CStatic& operator=(const CStatic&) = delete;

    virtual void OnPaint(CPaintDC& dc);

private:
    friend class StaticWidget;
    StaticWidget* m_widget = nullptr;
};
