#pragma once

#include <QLabel>

class CStatic;

// A static text control; when a CStatic is bound to it, that object paints it.
class StaticWidget : public QLabel {
public:
    explicit StaticWidget(QWidget* parent);
    ~StaticWidget() override;
    void Bind(CStatic* control);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CStatic* m_control = nullptr;
};
