#pragma once
// A label that can be pressed: "click" when released over it (or Space/Enter
// while it has the focus), with its own colours and images for the hot
// (pointer over it) and pushed states.

#include "ui/LabelUI.h"

class CButtonUI : public CLabelUI
{
public:
    CButtonUI();
    QString GetClass() const override;

    void SetNormalImage(const QString& image);
    void SetHotImage(const QString& image);
    void SetPushedImage(const QString& image);
    void SetForeImage(const QString& image);
    void SetHotBkColor(DWORD argb);
    void SetPushedBkColor(DWORD argb);

    void SetAttribute(const QString& name, const QString& value) override;
    bool OnWidgetEvent(QEvent* event) override;

    // What a click does; buttons notify "click".
    virtual void Activate();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void PaintBkColor(QPainter& painter, const QRect& rc) override;
    void PaintStatusImage(QPainter& painter, const QRect& rc) override;
    void PaintBorder(QPainter& painter, const QRect& rc) override;
    DWORD GetStateTextColor() const override;
    bool IsPushed() const { return m_bPushed; }

    QString m_sNormalImage;
    QString m_sHotImage;
    QString m_sPushedImage;
    QString m_sDisabledImage;
    QString m_sForeImage;
    QString m_sHotForeImage;
    DWORD m_dwHotBkColor = 0;
    DWORD m_dwPushedBkColor = 0;
    DWORD m_dwHotTextColor = 0;
    DWORD m_dwPushedTextColor = 0;
    DWORD m_dwHotBorderColor = 0;

private:
    bool m_bPushed = false;
};
