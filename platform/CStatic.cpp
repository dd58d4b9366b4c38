#include "CStatic.h"

#include "StaticWidget.h"

CStatic::~CStatic() {
    if (m_widget) m_widget->Bind(nullptr);
}

void CStatic::OnPaint(CPaintDC&) {}
