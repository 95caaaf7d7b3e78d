#include "ui/ControlWidget.h"

#include "ui/ControlUI.h"

#include <QEvent>
#include <QPainter>

ControlWidget::ControlWidget(CControlUI* owner, QWidget* parent) : QWidget(parent), m_owner(owner)
{
}

bool ControlWidget::event(QEvent* event)
{
    // The control paints all of itself, so the style (and the application's
    // style sheet, which styles only native widgets) has nothing to set up
    // here; polishing every painted widget was a good part of showing a page.
    if (event->type() == QEvent::Polish)
    {
        setAttribute(Qt::WA_WState_Polished);
        return true;
    }
    return QWidget::event(event);
}

void ControlWidget::paintEvent(QPaintEvent*)
{
    if (m_owner == nullptr)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_owner->Paint(painter, rect());
}
