#pragma once
// A control holding other controls, laid out in a column or a row: children
// with a fixed size keep it, the others share what is left; float children sit
// at their own rectangle. With "vscrollbar" the children scroll vertically.

#include "ui/ControlUI.h"

#include <vector>

class QScrollArea;

class CContainerUI : public CControlUI
{
public:
    enum class Orientation
    {
        Vertical,
        Horizontal
    };

    explicit CContainerUI(Orientation orientation = Orientation::Vertical);
    ~CContainerUI() override;

    QString GetClass() const override;

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CControlUI* GetItemAt(int iIndex) const;
    int GetItemIndex(CControlUI* pControl) const;
    // The container takes ownership of added controls.
    virtual bool Add(CControlUI* pControl);
    virtual bool AddAt(CControlUI* pControl, int iIndex);
    // Removes and deletes the control (unless bDoNotDestroy: then the caller owns it again).
    virtual bool Remove(CControlUI* pControl, bool bDoNotDestroy = false);
    virtual bool RemoveAt(int iIndex, bool bDoNotDestroy = false);
    virtual void RemoveAll();

    // The first descendant with that name (the container itself not included).
    CControlUI* FindSubControl(const QString& name);
    CControlUI* FindControl(const QString& name) override;
    void CollectNames(QHash<QString, CControlUI*>& index) override;

    RECT GetInset() const { return m_rcInset; }
    void SetInset(RECT rc);
    int GetChildPadding() const { return m_iChildPadding; }
    void SetChildPadding(int padding);
    bool IsVScroll() const { return m_bVScroll; }

    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent) override;
    void SetEnabled(bool bEnable = true) override;
    void ReloadText() override;
    void SetAttribute(const QString& name, const QString& value) override;
    bool OnWidgetEvent(QEvent* event) override;

    // Scrolls so that the child is fully shown (scrolling containers only).
    void ScrollToChild(CControlUI* pControl);
    // Lays the whole tree below out now; a window not shown yet gets its
    // layout only at its first show otherwise.
    void LayoutNow();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget(QWidget* widget) override;
    QWidget* GetChildHost() override;
    void OnChildLayoutChanged() override;
    // Called after a child was added at index; lets derived kinds adjust.
    virtual void OnItemAdded(int iIndex);
    virtual void OnItemRemoved(int iIndex);
    virtual void Relayout();
    // Lays the flow children out in area (host coordinates), inside the inset
    // if asked; returns the extent they need along the main axis.
    int LayoutIn(const QRect& area, bool place, bool withInset);
    // The scroll area of a scrolling container and the widget scrolled in it.
    QScrollArea* ScrollArea() const { return m_pScroll; }
    QWidget* ScrollContent() const { return m_pContent; }

    std::vector<CControlUI*> m_items;
    Orientation m_orientation;
    RECT m_rcInset;
    int m_iChildPadding = 0;
    bool m_bVScroll = false;
    // "left"/"center"/"right" and "top"/"vcenter"/"bottom" for fixed-size children.
    QString m_sChildAlign;
    QString m_sChildVAlign;

private:
    bool DetachAt(int iIndex);
    QScrollArea* m_pScroll = nullptr;
    QWidget* m_pContent = nullptr;
};
