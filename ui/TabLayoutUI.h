#pragma once
// Pages on top of each other; only the selected one is shown. A page gets its
// widgets when it is first shown: its controls, and what pages write into
// them, are there from the start, but a window shows without making the
// widgets of pages nobody has opened yet.

#include "ui/ContainerUI.h"

class CTabLayoutUI : public CContainerUI
{
public:
    QString GetClass() const override;

    int GetCurSel() const { return m_iCurSel; }
    // Shows page iIndex and hides the others; false for an index out of range.
    bool SelectItem(int iIndex);
    bool SelectItem(CControlUI* pControl);

    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void InitWidget(QWidget* widget) override;
    void OnItemAdded(int iIndex) override;
    void OnItemRemoved(int iIndex) override;
    void Relayout() override;

private:
    int m_iCurSel = -1;
    int m_iInitSel = 0;
    bool m_bInitDone = false;
};
