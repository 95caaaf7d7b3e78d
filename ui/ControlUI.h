#pragma once
// The base of every control of a skin. A control keeps its state itself and
// owns the QWidget that shows it; the widget is made when the control first
// needs to be shown (items of a combo never get one). Qt events of the widget
// come back to the control (OnWidgetEvent) and become notifications.

#include "ui/SkinValue.h"
#include "ui/UIDefs.h"

#include <QHash>
#include <QPointer>
#include <QRect>
#include <QString>

class CPaintManagerUI;
class QEvent;
class QFont;
class QPainter;
class QWidget;
class WidgetEventBridge;

class CControlUI
{
protected:
    inline static quint64 s_treeGeneration = 0;

public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // The element name of the skin schema ("Control", "Button", ...).
    virtual QString GetClass() const;

    const QString& GetName() const { return m_sName; }
    void SetName(const QString& name);

    CPaintManagerUI* GetManager() const { return m_pManager; }
    CControlUI* GetParent() const { return m_pParent; }
    virtual void SetManager(CPaintManagerUI* pManager, CControlUI* pParent);

    // The shown text: the translation of the text when it is a language key.
    virtual QString GetText() const;
    virtual void SetText(const QString& text);
    // The text as set: the key itself for a language-key text.
    const QString& GetRawText() const { return m_sText; }
    bool IsResourceText() const { return m_bResourceText; }
    void SetResourceText(bool bResource);
    // Shows a language-key text again in the language loaded now.
    virtual void ReloadText();

    // The shown tooltip: the translation of the tooltip when it is a language key.
    QString GetToolTip() const;
    void SetToolTip(const QString& text);
    // A tooltip given as a language key, following later language switches.
    void SetToolTipKey(const QString& key);

    virtual bool IsVisible() const { return m_bVisible; }
    virtual void SetVisible(bool bVisible = true);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool bEnable = true);
    bool IsMouseEnabled() const { return m_bMouseEnabled; }
    void SetMouseEnabled(bool bEnable);
    bool IsFocused() const;
    // The focus came by the keyboard, and the control shows its focus mark.
    bool HasFocusMark() const { return m_bFocusMark; }
    void SetFocus();

    DWORD GetBkColor() const { return m_dwBkColor; }
    void SetBkColor(DWORD argb);
    const QString& GetBkImage() const { return m_sBkImage; }
    void SetBkImage(const QString& image);
    DWORD GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(DWORD argb);
    int GetBorderSize() const { return m_nBorderSize; }
    void SetBorderSize(int size);
    int GetBorderRound() const { return m_nBorderRound; }
    void SetBorderRound(int radius);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD argb);
    const QString& GetFont() const { return m_sFont; }
    void SetFont(const QString& fontName);

    // Size in the parent's layout: 0 means "share what is left".
    int GetFixedWidth() const { return m_cxyFixed.cx; }
    void SetFixedWidth(int cx);
    int GetFixedHeight() const { return m_cxyFixed.cy; }
    void SetFixedHeight(int cy);
    // Outer margins in the parent's layout.
    RECT GetPadding() const { return m_rcPadding; }
    void SetPadding(RECT rc);
    // A float control sits at a fixed rectangle of its parent, outside the layout.
    bool IsFloat() const { return m_bFloat; }
    void SetFloat(bool bFloat);
    RECT GetFloatPos() const { return m_rcFloat; }
    void SetFloatPos(RECT rc);
    // Where the control is, in client coordinates of its window.
    RECT GetPos() const;

    const QString& GetUserData() const { return m_sUserData; }
    void SetUserData(const QString& data) { m_sUserData = data; }
    std::uintptr_t GetTag() const { return m_pTag; }
    void SetTag(std::uintptr_t tag) { m_pTag = tag; }

    // The page its notifications go to: its own or the nearest parent's.
    QString GetVirtualWnd() const;
    void SetVirtualWnd(const QString& name) { m_sVirtualWnd = name; }

    // Skin attributes; see res/README.md for the names each kind knows.
    virtual void SetAttribute(const QString& name, const QString& value);
    // A theme style's or a kind's defaults, in their order.
    void ApplyAttributeList(const SkinAttributes& list);

    // This control or, for containers, the first descendant with that name.
    virtual CControlUI* FindControl(const QString& name);
    // Every name of this subtree with the control FindControl finds for it.
    virtual void CollectNames(QHash<QString, CControlUI*>& index);
    // Counts every change to any control tree (a control added, removed,
    // renamed or deleted): a name index is good while it stays the same.
    static quint64 TreeGeneration() { return s_treeGeneration; }

    QWidget* GetWidget();
    bool HasWidget() const { return !m_pWidget.isNull(); }
    void Invalidate();
    // The parent lays its children out again (size, padding or visibility changed).
    void NeedParentUpdate();

    // Painting of painted controls; derived kinds add their parts.
    virtual void Paint(QPainter& painter, const QRect& rc);
    // A Qt event of the widget; true consumes it.
    virtual bool OnWidgetEvent(QEvent* event);

protected:
    virtual QWidget* CreateWidget(QWidget* parent);
    // Brings a newly made widget up to the control's state.
    virtual void InitWidget(QWidget* widget);
    // The widget whose children are this control's children's widgets.
    virtual QWidget* GetChildHost() { return GetWidget(); }
    // A child's size, padding or visibility changed (containers lay out again).
    virtual void OnChildLayoutChanged();
    virtual void PaintBkColor(QPainter& painter, const QRect& rc);
    virtual void PaintBkImage(QPainter& painter, const QRect& rc);
    virtual void PaintStatusImage(QPainter& painter, const QRect& rc);
    virtual void PaintText(QPainter& painter, const QRect& rc);
    virtual void PaintBorder(QPainter& painter, const QRect& rc);
    // The keyboard focus: a dotted accent ring inside the control.
    void PaintFocusMark(QPainter& painter, const QRect& rc);
    QFont GetQFont() const;
    bool DrawImage(QPainter& painter, const QRect& rc, const QString& image);
    void FillRound(QPainter& painter, const QRect& rc, DWORD argb) const;
    void SendNotify(const QString& type, WPARAM wParam = 0, LPARAM lParam = 0);
    // The widget as made, or null; does not make it.
    QWidget* ExistingWidget() const;

    friend class CContainerUI;

    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    QString m_sName;
    QString m_sText;
    bool m_bResourceText = false;
    QString m_sToolTip;
    bool m_bResourceToolTip = false;
    bool m_bVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bHot = false;
    bool m_bFocusMark = false;
    DWORD m_dwBkColor = 0;
    QString m_sBkImage;
    DWORD m_dwBorderColor = 0;
    int m_nBorderSize = 0;
    int m_nBorderRound = 0;
    DWORD m_dwTextColor = 0;
    QString m_sFont;
    SIZE m_cxyFixed;
    RECT m_rcPadding;
    bool m_bFloat = false;
    RECT m_rcFloat;
    QString m_sUserData;
    std::uintptr_t m_pTag = 0;
    QString m_sVirtualWnd;

private:
    QPointer<QWidget> m_pWidget;
    WidgetEventBridge* m_pBridge = nullptr;
};
