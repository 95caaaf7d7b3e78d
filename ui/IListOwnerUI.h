#pragma once
// What list items know of the list or combo they are in.

#include "ui/UIDefs.h"

#include <QString>

class CControlUI;

// The look the owner gives all its items.
struct TListInfoUI
{
    QString sFont;
    DWORD dwTextColor = 0;
    DWORD dwHotBkColor = 0;
    DWORD dwSelectedBkColor = 0;
    DWORD dwSelectedTextColor = 0;
    RECT rcTextPadding{8, 0, 8, 0};
    int uTextStyle = 0x0001 | 0x0080; // Qt::AlignLeft | Qt::AlignVCenter
};

class IListOwnerUI
{
public:
    virtual int GetCurSel() const = 0;
    // Selects item iIndex; a change notifies "itemselect" (wParam = new index,
    // lParam = old index) before returning, unless bTriggerEvent is false.
    virtual bool SelectItem(int iIndex, bool bTakeFocus = false, bool bTriggerEvent = true) = 0;
    virtual const TListInfoUI& GetListInfo() const = 0;
    // An item's text changed.
    virtual void OnItemTextChanged(CControlUI* pItem) = 0;

protected:
    ~IListOwnerUI() = default;
};
