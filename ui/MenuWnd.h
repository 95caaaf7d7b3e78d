#pragma once
// A pop-up menu built from menu XML. The chosen entry is posted to the window
// of the given paint manager as WM_MENUCLICK (0x0403) with wParam = a new
// MenuCmd, which the receiver frees (CPaintManagerUI::DeletePtr). The owner of
// a CMenuWnd deletes it; deleting closes the menu.

#include "ui/UIDefs.h"

#include <QPointer>
#include <QString>

class CContainerUI;
class CMenuElementUI;
class CMenuUI;
class CPaintManagerUI;
class QMenu;

struct MenuCmd
{
    QString szName;
    QString szUserData;
    QString szText;
    bool bChecked = false;
};

class CMenuWnd
{
public:
    CMenuWnd();
    ~CMenuWnd();
    CMenuWnd(const CMenuWnd&) = delete;
    CMenuWnd& operator=(const CMenuWnd&) = delete;

    // Reads the menu file of the resource folder and shows the menu with its
    // top-left corner at point (screen coordinates). pOwner is accepted for the
    // Windows shape (sub-menus come from the file) and unused.
    void Init(CMenuElementUI* pOwner, const QString& xml, POINT point,
              CPaintManagerUI* pMainPaintManager);
    // The entries; change their visibility, then ResizeMenu.
    CMenuUI* GetMenuUI() const { return m_pMenuUI; }
    POINT GetBasedPoint() const { return m_BasedPoint; }
    void SetBasedPoint(POINT pt) { m_BasedPoint = pt; }
    // Shows the entries as they are now, sized to them, at the based point.
    void ResizeMenu();
    void Close();

    // The Qt menu shown, for tests.
    QMenu* GetQMenu() const { return m_pMenu; }

private:
    void Fill(QMenu* menu, CContainerUI* items);

    CMenuUI* m_pMenuUI = nullptr;
    QPointer<QMenu> m_pMenu;
    HWND m_hTarget = nullptr;
    POINT m_BasedPoint;
};
