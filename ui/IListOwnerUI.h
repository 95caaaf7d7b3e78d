#pragma once
// What list items know of the list or combo they are in.

#include "ui/UIDefs.h"

#include <QKeyEvent>
#include <QMouseEvent>
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
    // Moves the selection for a navigation key (arrows, Home, End, pages);
    // false for any other key.
    virtual bool SelectByKey(int key)
    {
        (void)key;
        return false;
    }

protected:
    ~IListOwnerUI() = default;
};

// What both kinds of list item do with a press and with their background.

// A left press on an enabled item selects it through its owner. Selecting may
// remove the item, so the caller returns at once when this gives true.
inline bool SelectItemOnPress(QEvent* event, bool bEnabled, IListOwnerUI* pOwner, int iIndex)
{
    if (event->type() != QEvent::MouseButtonPress ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || !bEnabled ||
        pOwner == nullptr)
        return false;
    pOwner->SelectItem(iIndex, true);
    return true;
}

// A navigation key pressed on an item moves its owner's selection. Selecting
// may remove the item, so the caller returns at once when this gives true.
inline bool SelectItemOnKey(QEvent* event, IListOwnerUI* pOwner)
{
    return event->type() == QEvent::KeyPress && pOwner != nullptr &&
           pOwner->SelectByKey(static_cast<QKeyEvent*>(event)->key());
}

// The owner's colour behind a selected or hot item; 0 for none.
inline DWORD ItemStateBkColor(const IListOwnerUI* pOwner, bool bSelected, bool bHot)
{
    if (pOwner == nullptr)
        return 0;
    const TListInfoUI& info = pOwner->GetListInfo();
    if (bSelected)
        return info.dwSelectedBkColor;
    return bHot ? info.dwHotBkColor : 0;
}
