#include "ui/MenuWnd.h"

#include "ui/DialogBuilder.h"
#include "ui/MenuElementUI.h"
#include "ui/MenuUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/SkinProblem.h"
#include "ui/WindowWnd.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <algorithm>

CMenuWnd::CMenuWnd() = default;

CMenuWnd::~CMenuWnd()
{
    Close();
    // Later: the menu may be delivering the very event that led here.
    if (m_pMenu)
        m_pMenu->deleteLater();
    delete m_pMenuUI;
}

void CMenuWnd::Init(CMenuElementUI*, const QString& xml, POINT point,
                    CPaintManagerUI* pMainPaintManager)
{
    m_hTarget = pMainPaintManager != nullptr ? pMainPaintManager->GetPaintWindow() : nullptr;
    m_BasedPoint = point;
    delete m_pMenuUI;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(xml);
    m_pMenuUI = dynamic_cast<CMenuUI*>(root);
    if (m_pMenuUI == nullptr)
    {
        // An empty menu then; a file that could not be read was reported already.
        if (root != nullptr)
            ReportSkinProblem(xml, QStringLiteral("holds no menu"));
        delete root;
        m_pMenuUI = new CMenuUI;
    }
    if (!m_pMenu)
        m_pMenu = new QMenu;
    ResizeMenu();
}

void CMenuWnd::Fill(QMenu* menu, CContainerUI* items)
{
    for (int i = 0; i < items->GetCount(); ++i)
    {
        auto* item = dynamic_cast<CMenuElementUI*>(items->GetItemAt(i));
        if (item == nullptr || !item->IsVisible())
            continue;
        if (item->IsSeparator())
        {
            menu->addSeparator();
            continue;
        }
        if (item->GetCount() > 0)
        {
            QMenu* sub = menu->addMenu(item->GetText());
            sub->setEnabled(item->IsEnabled());
            Fill(sub, item);
            continue;
        }
        QAction* action = menu->addAction(item->GetText());
        action->setObjectName(item->GetName());
        action->setEnabled(item->IsEnabled());
        action->setCheckable(item->IsCheckable());
        action->setChecked(item->IsChecked());
        const HWND target = m_hTarget;
        const MenuCmd cmd{item->GetName(), item->GetUserData(), item->GetText(), item->IsChecked()};
        QObject::connect(
            action, &QAction::triggered, action,
            [target, cmd](bool checked)
            {
                auto* record = new MenuCmd(cmd);
                record->bChecked = checked;
                if (!PostMessage(target, WM_MENUCLICK, reinterpret_cast<WPARAM>(record), 0))
                    delete record;
            });
    }
}

namespace
{
// Where a menu of `size` opened at `at` lies wholly on its screen: left of or
// above the point where it would run off the right or bottom edge (the tray
// sits in a corner), as a first popup places it.
QPoint FitOnScreen(QPoint at, QSize size)
{
    QScreen* screen = QGuiApplication::screenAt(at);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return at;
    const QRect area = screen->availableGeometry();
    int x = at.x();
    int y = at.y();
    if (x + size.width() > area.right() + 1)
        x = at.x() - size.width();
    if (y + size.height() > area.bottom() + 1)
        y = at.y() - size.height();
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    return {x, y};
}
} // namespace

void CMenuWnd::ResizeMenu()
{
    if (!m_pMenu || m_pMenuUI == nullptr)
        return;
    m_pMenu->clear();
    Fill(m_pMenu, m_pMenuUI);
    m_pMenu->adjustSize();
    const QPoint at(m_BasedPoint.x, m_BasedPoint.y);
    if (m_pMenu->isVisible())
        m_pMenu->move(FitOnScreen(at, m_pMenu->size()));
    else
        m_pMenu->popup(at);
}

void CMenuWnd::Close()
{
    if (m_pMenu)
        m_pMenu->hide();
}
