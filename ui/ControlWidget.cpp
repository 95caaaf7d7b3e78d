#include "ui/ControlWidget.h"

#include "ui/ControlUI.h"

#include <QPainter>

ControlWidget::ControlWidget(CControlUI* owner, QWidget* parent) : QWidget(parent), m_owner(owner)
{
}

void ControlWidget::paintEvent(QPaintEvent*)
{
    if (m_owner == nullptr)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_owner->Paint(painter, rect());
}
