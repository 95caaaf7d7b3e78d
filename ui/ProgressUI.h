#pragma once
// A value in a range, shown as a filled bar.

#include "ui/LabelUI.h"

class CProgressUI : public CLabelUI
{
public:
    QString GetClass() const override;

    int GetMinValue() const { return m_nMin; }
    virtual void SetMinValue(int nMin);
    int GetMaxValue() const { return m_nMax; }
    virtual void SetMaxValue(int nMax);
    int GetValue() const { return m_nValue; }
    // Kept inside the range; notifies nothing.
    virtual void SetValue(int nValue);

    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void PaintStatusImage(QPainter& painter, const QRect& rc) override;
    int Clamp(int value) const;

    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    DWORD m_dwForeColor = 0;
};
