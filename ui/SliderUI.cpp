#include "ui/SliderUI.h"

#include "ui/PaintManagerUI.h"
#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"

#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace
{
// A click on the track puts the thumb there and starts dragging it, as the
// user expects from a settings slider (Qt would step by a page instead).
class JumpSlider : public QSlider
{
public:
    using QSlider::QSlider;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton &&
            !HandleRect().contains(event->position().toPoint()))
        {
            m_dragFromTrack = true;
            setSliderDown(true);
            setSliderPosition(ValueAt(event->position().toPoint()));
            return;
        }
        QSlider::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (m_dragFromTrack)
            setSliderPosition(ValueAt(event->position().toPoint()));
        else
            QSlider::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (!m_dragFromTrack)
        {
            QSlider::mouseReleaseEvent(event);
            return;
        }
        m_dragFromTrack = false;
        setSliderDown(false);
    }

private:
    QRect HandleRect() const
    {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        return style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    }
    int ValueAt(QPoint pt) const
    {
        const QRect handle = HandleRect();
        const bool horizontal = orientation() == Qt::Horizontal;
        const int span = horizontal ? width() - handle.width() : height() - handle.height();
        const int pos = horizontal ? pt.x() - handle.width() / 2 : pt.y() - handle.height() / 2;
        // Vertical sliders grow upwards.
        return QStyle::sliderValueFromPosition(minimum(), maximum(), pos, span, !horizontal);
    }

    bool m_dragFromTrack = false;
};
} // namespace

QString CSliderUI::GetClass() const
{
    return QStringLiteral("Slider");
}

QSlider* CSliderUI::Slider() const
{
    return static_cast<QSlider*>(ExistingWidget());
}

void CSliderUI::SyncWidget() const
{
    QSlider* s = Slider();
    if (s == nullptr)
        return;
    const QSignalBlocker block(s);
    s->setRange(m_nMin, std::max(m_nMin, m_nMax));
    s->setSingleStep(m_nStep);
    s->setPageStep(m_nStep);
    s->setValue(m_nValue);
}

void CSliderUI::ShowValue() const
{
    if (m_sValueLabel.isEmpty() || m_pManager == nullptr)
        return;
    if (CControlUI* label = m_pManager->FindControl(m_sValueLabel))
        label->SetText(QString::number(m_nValue));
}

void CSliderUI::SetMinValue(int nMin)
{
    CProgressUI::SetMinValue(nMin);
    SyncWidget();
    ShowValue();
}

void CSliderUI::SetMaxValue(int nMax)
{
    CProgressUI::SetMaxValue(nMax);
    SyncWidget();
    ShowValue();
}

void CSliderUI::SetValue(int nValue)
{
    CProgressUI::SetValue(nValue);
    SyncWidget();
    ShowValue();
}

void CSliderUI::SetChangeStep(int step)
{
    m_nStep = step > 0 ? step : 1;
    SyncWidget();
}

void CSliderUI::SetAttribute(const QString& name, const QString& value)
{
    if (IsAttribute(name, u"step"))
        SetChangeStep(ParseSkinInt(value));
    else if (IsAttribute(name, u"vertical"))
        m_bVertical = ParseSkinBool(value);
    else if (IsAttribute(name, u"valuelabel"))
        m_sValueLabel = value;
    else
        CProgressUI::SetAttribute(name, value);
}

QWidget* CSliderUI::CreateWidget(QWidget* parent)
{
    auto* s = new JumpSlider(m_bVertical ? Qt::Vertical : Qt::Horizontal, parent);
    s->setFocusPolicy(Qt::StrongFocus);
    s->setCursor(Qt::PointingHandCursor);
    QObject::connect(s, &QSlider::sliderMoved, s,
                     [this](int v)
                     {
                         m_nValue = v;
                         ShowValue();
                         SendNotify(DUI_MSGTYPE_MOVEVALUECHANGED, static_cast<WPARAM>(v));
                     });
    QObject::connect(s, &QSlider::sliderReleased, s,
                     [this, s]
                     {
                         m_nValue = s->value();
                         ShowValue();
                         SendNotify(DUI_MSGTYPE_VALUECHANGED, static_cast<WPARAM>(m_nValue));
                     });
    QObject::connect(s, &QSlider::valueChanged, s,
                     [this, s](int v)
                     {
                         // Dragging reports through sliderMoved and settles on release.
                         if (s->isSliderDown())
                             return;
                         m_nValue = v;
                         ShowValue();
                         SendNotify(DUI_MSGTYPE_VALUECHANGED, static_cast<WPARAM>(v));
                     });
    return s;
}

void CSliderUI::InitWidget(QWidget* widget)
{
    CProgressUI::InitWidget(widget);
    SyncWidget();
}
