#pragma once
// The plain QWidget behind a painted control: it paints through its control
// and, like every control widget, reports its events to it (see CControlUI).

#include <QWidget>

class CControlUI;

class ControlWidget : public QWidget
{
public:
    ControlWidget(CControlUI* owner, QWidget* parent);
    void Detach() { m_owner = nullptr; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CControlUI* m_owner;
};
