#include "ui/ContainerUI.h"

#include "ui/ControlWidget.h"
#include "ui/SkinValue.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

CContainerUI::CContainerUI(Orientation orientation) : m_orientation(orientation) {}

CContainerUI::~CContainerUI()
{
    for (CControlUI* item : m_items)
        delete item;
    m_items.clear();
}

QString CContainerUI::GetClass() const
{
    return m_orientation == Orientation::Vertical ? QStringLiteral("VerticalLayout")
                                                  : QStringLiteral("HorizontalLayout");
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const
{
    if (iIndex < 0 || iIndex >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(iIndex)];
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const
{
    auto it = std::find(m_items.begin(), m_items.end(), pControl);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::Add(CControlUI* pControl)
{
    return AddAt(pControl, GetCount());
}

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex)
{
    if (pControl == nullptr || iIndex < 0 || iIndex > GetCount())
        return false;
    m_items.insert(m_items.begin() + iIndex, pControl);
    ++s_treeGeneration;
    pControl->SetManager(m_pManager, this);
    if (HasWidget())
    {
        QWidget* w = pControl->GetWidget();
        if (CControlUI* next = GetItemAt(iIndex + 1); next != nullptr && next->HasWidget())
            w->stackUnder(next->GetWidget());
    }
    OnItemAdded(iIndex);
    Relayout();
    return true;
}

bool CContainerUI::DetachAt(int iIndex)
{
    if (iIndex < 0 || iIndex >= GetCount())
        return false;
    m_items.erase(m_items.begin() + iIndex);
    ++s_treeGeneration;
    OnItemRemoved(iIndex);
    return true;
}

bool CContainerUI::Remove(CControlUI* pControl, bool bDoNotDestroy)
{
    return RemoveAt(GetItemIndex(pControl), bDoNotDestroy);
}

bool CContainerUI::RemoveAt(int iIndex, bool bDoNotDestroy)
{
    CControlUI* item = GetItemAt(iIndex);
    if (!DetachAt(iIndex))
        return false;
    if (bDoNotDestroy)
    {
        if (QWidget* w = item->ExistingWidget())
        {
            w->hide();
            w->setParent(nullptr);
        }
        item->SetManager(nullptr, nullptr);
    }
    else
        delete item;
    Relayout();
    return true;
}

void CContainerUI::RemoveAll()
{
    while (!m_items.empty())
    {
        CControlUI* item = m_items.back();
        DetachAt(GetCount() - 1);
        delete item;
    }
    Relayout();
}

CControlUI* CContainerUI::FindSubControl(const QString& name)
{
    for (CControlUI* item : m_items)
        if (CControlUI* found = item->FindControl(name))
            return found;
    return nullptr;
}

CControlUI* CContainerUI::FindControl(const QString& name)
{
    if (GetName() == name)
        return this;
    return FindSubControl(name);
}

void CContainerUI::CollectNames(QHash<QString, CControlUI*>& index)
{
    CControlUI::CollectNames(index);
    for (CControlUI* item : m_items)
        item->CollectNames(index);
}

void CContainerUI::SetInset(RECT rc)
{
    m_rcInset = rc;
    Relayout();
}

void CContainerUI::SetChildPadding(int padding)
{
    m_iChildPadding = padding;
    Relayout();
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent)
{
    CControlUI::SetManager(pManager, pParent);
    for (CControlUI* item : m_items)
        item->SetManager(pManager, this);
}

void CContainerUI::SetEnabled(bool bEnable)
{
    // The widget passes the state down to the children's widgets.
    CControlUI::SetEnabled(bEnable);
    for (CControlUI* item : m_items)
        item->Invalidate();
}

void CContainerUI::ReloadText()
{
    CControlUI::ReloadText();
    for (CControlUI* item : m_items)
        item->ReloadText();
}

void CContainerUI::SetAttribute(const QString& name, const QString& value)
{
    if (IsAttribute(name, u"inset"))
        SetInset(ParseSkinRect(value));
    else if (IsAttribute(name, u"childpadding"))
        SetChildPadding(ParseSkinInt(value));
    else if (IsAttribute(name, u"vscrollbar"))
        m_bVScroll = ParseSkinBool(value);
    else if (IsAttribute(name, u"childalign"))
        m_sChildAlign = value;
    else if (IsAttribute(name, u"childvalign"))
        m_sChildVAlign = value;
    else
        CControlUI::SetAttribute(name, value);
}

QWidget* CContainerUI::CreateWidget(QWidget* parent)
{
    // The container paints its background and border; a scrolling one holds a
    // scroll area inside its inset, and the children scroll in there.
    auto* outer = new ControlWidget(this, parent);
    if (!m_bVScroll)
        return outer;
    m_pScroll = new QScrollArea(outer);
    m_pScroll->setFrameShape(QFrame::NoFrame);
    m_pScroll->setWidgetResizable(false);
    m_pScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pScroll->viewport()->setAutoFillBackground(false);
    m_pContent = new QWidget;
    m_pScroll->setWidget(m_pContent);
    // setWidget turns filling on; the container's own background shows through instead.
    m_pContent->setAutoFillBackground(false);
    return outer;
}

void CContainerUI::InitWidget(QWidget* widget)
{
    CControlUI::InitWidget(widget);
    for (CControlUI* item : m_items)
        item->GetWidget();
    Relayout();
}

QWidget* CContainerUI::GetChildHost()
{
    QWidget* w = GetWidget();
    return m_pContent != nullptr ? m_pContent : w;
}

void CContainerUI::LayoutNow()
{
    Relayout();
    for (CControlUI* item : m_items)
        if (auto* container = dynamic_cast<CContainerUI*>(item))
            container->LayoutNow();
}

void CContainerUI::OnChildLayoutChanged()
{
    Relayout();
}

void CContainerUI::OnItemAdded(int) {}

void CContainerUI::OnItemRemoved(int) {}

bool CContainerUI::OnWidgetEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        Relayout();
    return CControlUI::OnWidgetEvent(event);
}

void CContainerUI::ScrollToChild(CControlUI* pControl)
{
    if (m_pScroll == nullptr || pControl == nullptr || !pControl->HasWidget())
        return;
    m_pScroll->ensureWidgetVisible(pControl->GetWidget(), 0, 0);
}

void CContainerUI::Relayout()
{
    QWidget* outer = ExistingWidget();
    if (outer == nullptr)
        return;
    if (m_pScroll == nullptr)
    {
        LayoutIn(outer->rect(), true, true);
        return;
    }
    const QRect view =
        outer->rect().adjusted(m_rcInset.left, m_rcInset.top, -m_rcInset.right, -m_rcInset.bottom);
    m_pScroll->setGeometry(view);
    const int needed = LayoutIn(QRect(QPoint(0, 0), view.size()), false, false);
    int width = view.width();
    if (needed > view.height())
        width -= m_pScroll->verticalScrollBar()->sizeHint().width();
    m_pContent->resize(width, std::max(needed, view.height()));
    LayoutIn(m_pContent->rect(), true, false);
}

int CContainerUI::LayoutIn(const QRect& area, bool place, bool withInset)
{
    const bool horizontal = m_orientation == Orientation::Horizontal;
    const RECT inset = withInset ? m_rcInset : RECT{};
    const QRect rc = area.adjusted(inset.left, inset.top, -inset.right, -inset.bottom);
    std::vector<CControlUI*> flow;
    for (CControlUI* item : m_items)
    {
        if (!item->IsFloat())
        {
            if (item->IsVisible())
                flow.push_back(item);
            continue;
        }
        // Hidden floats are placed too: showing one (an overlay) must not move anything.
        if (place && item->HasWidget())
        {
            const RECT f = item->GetFloatPos();
            item->GetWidget()->setGeometry(area.left() + f.left, area.top() + f.top,
                                           f.right - f.left, f.bottom - f.top);
        }
    }

    int fixedSum = 0;
    int autos = 0;
    for (CControlUI* c : flow)
    {
        const RECT p = c->GetPadding();
        const int fixed = horizontal ? c->GetFixedWidth() : c->GetFixedHeight();
        fixedSum += horizontal ? p.left + p.right : p.top + p.bottom;
        if (fixed > 0)
            fixedSum += fixed;
        else
            ++autos;
    }
    if (flow.size() > 1)
        fixedSum += m_iChildPadding * static_cast<int>(flow.size() - 1);
    const int insets = horizontal ? inset.left + inset.right : inset.top + inset.bottom;
    if (!place)
        return fixedSum + insets;

    const int mainAvail = horizontal ? rc.width() : rc.height();
    const int remain = std::max(0, mainAvail - fixedSum);
    int pos = horizontal ? rc.left() : rc.top();
    if (autos == 0)
    {
        const QString& align = horizontal ? m_sChildAlign : m_sChildVAlign;
        if (align == "center" || align == "vcenter")
            pos += remain / 2;
        else if (align == "right" || align == "bottom")
            pos += remain;
    }
    const QString& crossAlign = horizontal ? m_sChildVAlign : m_sChildAlign;
    int autoIndex = 0;
    for (CControlUI* c : flow)
    {
        const RECT p = c->GetPadding();
        const int fixed = horizontal ? c->GetFixedWidth() : c->GetFixedHeight();
        int size = fixed;
        if (fixed <= 0)
        {
            size = remain / autos + (autoIndex < remain % autos ? 1 : 0);
            ++autoIndex;
        }
        pos += horizontal ? p.left : p.top;
        const int crossStart = (horizontal ? rc.top() + p.top : rc.left() + p.left);
        const int crossAvail = std::max(0, horizontal ? rc.height() - p.top - p.bottom
                                                      : rc.width() - p.left - p.right);
        const int crossFixed = horizontal ? c->GetFixedHeight() : c->GetFixedWidth();
        const int crossSize = crossFixed > 0 ? crossFixed : crossAvail;
        int crossPos = crossStart;
        if (crossAlign == "center" || crossAlign == "vcenter")
            crossPos += (crossAvail - crossSize) / 2;
        else if (crossAlign == "right" || crossAlign == "bottom")
            crossPos += crossAvail - crossSize;
        if (c->HasWidget())
        {
            QWidget* w = c->GetWidget();
            if (horizontal)
                w->setGeometry(pos, crossPos, size, crossSize);
            else
                w->setGeometry(crossPos, pos, crossSize, size);
        }
        pos += size + (horizontal ? p.right : p.bottom) + m_iChildPadding;
    }
    return fixedSum + insets;
}
