#pragma once
// A colour picker: a saturation/brightness field above a hue bar, both
// draggable. While dragging it notifies "colorchanged", on release
// "colorchangedbuttonup"; wParam carries the colour as 0xAARRGGBB (always
// opaque). Setting the colour from code notifies nothing.

#include "ui/ControlUI.h"

class CColorPaletteUI : public CControlUI
{
public:
    QString GetClass() const override;

    DWORD GetSelectColor() const { return m_dwSelectColor; }
    void SetSelectColor(DWORD dwColor);

    void SetAttribute(const QString& name, const QString& value) override;
    bool OnWidgetEvent(QEvent* event) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void PaintStatusImage(QPainter& painter, const QRect& rc) override;

private:
    enum class Drag
    {
        None,
        Field,
        Hue
    };
    QRectF FieldRect(const QRect& rc) const;
    QRectF HueRect(const QRect& rc) const;
    // Moves the chosen point of the dragged part; true when the colour changed.
    bool PickAt(QPointF pt);

    DWORD m_dwSelectColor = 0xFFFF0000;
    double m_hue = 0.0;
    double m_sat = 1.0;
    double m_val = 1.0;
    int m_nBarHeight = 14;
    Drag m_drag = Drag::None;
};
