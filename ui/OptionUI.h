#pragma once
// A button that stays selected. Options of one group (per window) exclude each
// other: selecting one, by the user or from code, deselects the rest and
// notifies "selectchanged" for the newly selected one before it returns.

#include "ui/ButtonUI.h"

class COptionUI : public CButtonUI
{
public:
    ~COptionUI() override;
    QString GetClass() const override;

    const QString& GetGroup() const { return m_sGroupName; }
    void SetGroup(const QString& group);
    bool IsSelected() const { return m_bSelected; }
    // Nothing happens when the state does not change.
    virtual void Selected(bool bSelected, bool bTriggerEvent = true);

    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void Activate() override;

protected:
    void PaintBkColor(QPainter& painter, const QRect& rc) override;
    void PaintStatusImage(QPainter& painter, const QRect& rc) override;
    void PaintBorder(QPainter& painter, const QRect& rc) override;
    DWORD GetStateTextColor() const override;

    bool m_bSelected = false;
    QString m_sGroupName;
    QString m_sSelectedImage;
    QString m_sSelectedHotImage;
    QString m_sSelectedForeImage;
    DWORD m_dwSelectedBkColor = 0;
    DWORD m_dwSelectedTextColor = 0;
    DWORD m_dwSelectedBorderColor = 0;
};
