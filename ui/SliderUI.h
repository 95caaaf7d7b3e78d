#pragma once
// A draggable value in a range. While the thumb is dragged it notifies
// "movevaluechanged"; when the value settles (release, a click on the track,
// the keyboard or the wheel) "valuechanged". wParam carries the value. Setting
// the value from code notifies nothing. With "valuelabel" naming a label of the
// same window, that label shows the value as it moves.

#include "ui/ProgressUI.h"

class QSlider;

class CSliderUI : public CProgressUI
{
public:
    QString GetClass() const override;

    void SetMinValue(int nMin) override;
    void SetMaxValue(int nMax) override;
    void SetValue(int nValue) override;
    int GetChangeStep() const { return m_nStep; }
    void SetChangeStep(int step);

    void SetAttribute(const QString& name, const QString& value) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget(QWidget* widget) override;

private:
    QSlider* Slider() const;
    void SyncWidget() const;
    void ShowValue() const;

    int m_nStep = 1;
    bool m_bVertical = false;
    QString m_sValueLabel;
};
