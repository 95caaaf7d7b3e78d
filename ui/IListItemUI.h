#pragma once
// An item of a list or combo.

class IListOwnerUI;

class IListItemUI
{
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int iIndex) = 0;
    virtual IListOwnerUI* GetOwner() const = 0;
    virtual void SetOwner(IListOwnerUI* pOwner) = 0;
    virtual bool IsSelected() const = 0;
    // Shows the item as selected or not; the owner's selection is not changed.
    virtual void Select(bool bSelect) = 0;

protected:
    ~IListItemUI() = default;
};
