#include "StaticWidget.h"

#include <QPainter>

#include "CPaintDC.h"
#include "CStatic.h"

StaticWidget::StaticWidget(QWidget* parent) : QLabel(parent) {}

StaticWidget::~StaticWidget() { Bind(nullptr); }

void StaticWidget::Bind(CStatic* control) {
    if (m_control) m_control->m_widget = nullptr;
    m_control = control;
    if (m_control) {
        if (m_control->m_widget) m_control->m_widget->m_control = nullptr;
        m_control->m_widget = this;
    }
    update();
}

void StaticWidget::paintEvent(QPaintEvent* event) {
    if (!m_control) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    CPaintDC dc(*this, painter);
    m_control->OnPaint(dc);
}
