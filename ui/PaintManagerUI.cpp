#include "ui/PaintManagerUI.h"

#include "ui/ContainerUI.h"
#include "ui/DialogBuilder.h"
#include "ui/INotifyUI.h"
#include "ui/OptionUI.h"
#include "ui/SkinImage.h"
#include "ui/TNotifyUI.h"
#include "ui/Theme.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace
{
QString& ResourcePath()
{
    static QString path;
    return path;
}

std::vector<CPaintManagerUI*>& Managers()
{
    static std::vector<CPaintManagerUI*> managers;
    return managers;
}

QString WithSlash(QString path)
{
    if (!path.isEmpty() && !path.endsWith('/'))
        path += '/';
    return path;
}
} // namespace

CPaintManagerUI::CPaintManagerUI()
{
    Managers().push_back(this);
}

CPaintManagerUI::~CPaintManagerUI()
{
    ReapObjects();
    auto& all = Managers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void CPaintManagerUI::SetInstance(void*) {}

QString CPaintManagerUI::GetInstancePath()
{
    return WithSlash(QCoreApplication::applicationDirPath());
}

void CPaintManagerUI::SetResourcePath(const QString& path)
{
    ResourcePath() = WithSlash(QDir::fromNativeSeparators(path));
    SkinImage::ClearCache();
    CDialogBuilder::ClearCache();
    if (Theme::Instance().Load(ResourcePath() + "theme.xml"))
        Theme::Instance().ApplyToApplication();
}

QString CPaintManagerUI::GetResourcePath()
{
    return ResourcePath();
}

void CPaintManagerUI::SetResourceType(int) {}

int CPaintManagerUI::MessageLoop()
{
    return QCoreApplication::exec();
}

void CPaintManagerUI::Term()
{
    SkinImage::ClearCache();
    CDialogBuilder::ClearCache();
}

const std::vector<CPaintManagerUI*>& CPaintManagerUI::GetPaintManagers()
{
    return Managers();
}

void CPaintManagerUI::Init(HWND hWnd, QWidget* host)
{
    m_hWnd = hWnd;
    m_pHost = host;
}

bool CPaintManagerUI::AttachDialog(CControlUI* pControl)
{
    if (pControl == nullptr || m_pHost == nullptr)
        return false;
    ReapObjects();
    m_bReaping = false;
    m_pRoot = pControl;
    pControl->SetManager(this, nullptr);
    return true;
}

void CPaintManagerUI::ShowRoot()
{
    if (m_pRoot == nullptr || m_pHost == nullptr)
        return;
    m_pRoot->GetWidget();
    ResizeRoot();
}

void CPaintManagerUI::ReapObjects()
{
    m_bReaping = true;
    for (auto& [key, timer] : m_timers)
        timer->deleteLater();
    m_timers.clear();
    delete m_pRoot;
    m_pRoot = nullptr;
    m_optionGroups.clear();
}

void CPaintManagerUI::AddNotifier(INotifyUI* pNotifier)
{
    if (std::find(m_notifiers.begin(), m_notifiers.end(), pNotifier) == m_notifiers.end())
        m_notifiers.push_back(pNotifier);
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* pNotifier)
{
    m_notifiers.erase(std::remove(m_notifiers.begin(), m_notifiers.end(), pNotifier),
                      m_notifiers.end());
}

void CPaintManagerUI::SendNotify(CControlUI* pControl, const QString& type, WPARAM wParam,
                                 LPARAM lParam)
{
    TNotifyUI msg;
    msg.pSender = pControl;
    msg.sType = type;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg)
{
    if (m_bReaping)
        return;
    if (msg.pSender != nullptr && msg.sVirtualWnd.isEmpty())
        msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
    msg.dwTimestamp = static_cast<DWORD>(QDateTime::currentMSecsSinceEpoch());
    if (m_pHost != nullptr)
    {
        const QPoint pt = m_pHost->mapFromGlobal(QCursor::pos());
        msg.ptMouse = POINT{pt.x(), pt.y()};
    }
    // A receiver may add or remove receivers.
    const std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* n : notifiers)
        if (std::find(m_notifiers.begin(), m_notifiers.end(), n) != m_notifiers.end())
            n->Notify(msg);
}

namespace
{
void CollectTabStops(CControlUI* control, const QWidget* host, std::vector<QWidget*>& stops)
{
    if (control == nullptr || !control->IsVisible() || !control->HasWidget())
        return;
    QWidget* w = control->GetWidget();
    if (!w->isVisibleTo(host))
        return;
    if (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) != 0)
        stops.push_back(w);
    if (auto* container = dynamic_cast<CContainerUI*>(control))
        for (int i = 0; i < container->GetCount(); ++i)
            CollectTabStops(container->GetItemAt(i), host, stops);
}
} // namespace

bool CPaintManagerUI::MoveFocus(bool bNext) const
{
    // Qt also moves the focus off a widget being hidden or disabled, which
    // happens while controls are taken down: that is left to Qt.
    const QWidget* focused = m_pHost != nullptr ? m_pHost->focusWidget() : nullptr;
    if (focused != nullptr && (!focused->isVisible() || !focused->isEnabled()))
        return false;
    std::vector<QWidget*> stops;
    CollectTabStops(m_pRoot, m_pHost, stops);
    if (stops.empty())
        return false;
    // A focused inner part (a box's line edit) counts as its control.
    auto at = std::find_if(stops.begin(), stops.end(), [focused](const QWidget* w)
                           { return focused != nullptr && (w == focused || w->isAncestorOf(focused)); });
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t index = at == stops.end() ? (bNext ? -1 : count) : at - stops.begin();
    index = (index + (bNext ? 1 : count - 1)) % count;
    stops[static_cast<size_t>(index)]->setFocus(bNext ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

CControlUI* CPaintManagerUI::FindControl(const QString& name) const
{
    if (m_pRoot == nullptr)
        return nullptr;
    if (name.isEmpty()) // unnamed controls are not indexed
        return m_pRoot->FindControl(name);
    const quint64 generation = CControlUI::TreeGeneration();
    if (m_pRoot != m_indexedRoot || generation != m_indexedGeneration)
    {
        // The first look-up after a change walks, the second makes the index.
        if (generation != m_walkedGeneration)
        {
            m_walkedGeneration = generation;
            return m_pRoot->FindControl(name);
        }
        const qsizetype size = m_nameIndex.size();
        m_nameIndex.clear();
        m_nameIndex.reserve(size);
        m_pRoot->CollectNames(m_nameIndex);
        m_indexedRoot = m_pRoot;
        m_indexedGeneration = generation;
    }
    return m_nameIndex.value(name);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* pParent, const QString& name) const
{
    if (auto* container = dynamic_cast<CContainerUI*>(pParent))
        return container->FindSubControl(name);
    return nullptr;
}

bool CPaintManagerUI::SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse)
{
    if (pControl == nullptr || m_bReaping)
        return false;
    KillTimer(pControl, nTimerID);
    auto* timer = new QTimer;
    timer->setInterval(static_cast<int>(uElapse));
    QObject::connect(timer, &QTimer::timeout, timer,
                     [this, pControl, nTimerID, uElapse]
                     { SendNotify(pControl, DUI_MSGTYPE_TIMER, nTimerID, uElapse); });
    m_timers[{pControl, nTimerID}] = timer;
    timer->start();
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* pControl, UINT nTimerID)
{
    auto it = m_timers.find({pControl, nTimerID});
    if (it == m_timers.end())
        return false;
    // The timer may be the one whose tick is being handled right now.
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* pControl)
{
    for (auto it = m_timers.begin(); it != m_timers.end();)
    {
        if (it->first.first != pControl)
        {
            ++it;
            continue;
        }
        it->second->stop();
        it->second->deleteLater();
        it = m_timers.erase(it);
    }
}

void CPaintManagerUI::NeedUpdate()
{
    ResizeRoot();
    if (m_pHost != nullptr)
        m_pHost->update();
}

void CPaintManagerUI::AddOptionGroup(const QString& group, COptionUI* pOption)
{
    auto& members = m_optionGroups[group];
    if (std::find(members.begin(), members.end(), pOption) == members.end())
        members.push_back(pOption);
}

void CPaintManagerUI::RemoveOptionGroup(const QString& group, COptionUI* pOption)
{
    auto it = m_optionGroups.find(group);
    if (it == m_optionGroups.end())
        return;
    auto& members = it->second;
    members.erase(std::remove(members.begin(), members.end(), pOption), members.end());
}

std::vector<COptionUI*> CPaintManagerUI::GetOptionGroup(const QString& group) const
{
    auto it = m_optionGroups.find(group);
    return it == m_optionGroups.end() ? std::vector<COptionUI*>() : it->second;
}

void CPaintManagerUI::ReapControl(CControlUI* pControl)
{
    KillTimer(pControl);
}

void CPaintManagerUI::ResizeRoot()
{
    if (m_pRoot == nullptr || m_pHost == nullptr || !m_pRoot->HasWidget())
        return;
    m_pRoot->GetWidget()->setGeometry(m_pHost->rect());
}
