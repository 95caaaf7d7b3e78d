#pragma once
// The entries of a menu (CMenuElementUI), as read from its menu XML.

#include "ui/ContainerUI.h"

class CMenuUI : public CContainerUI
{
public:
    QString GetClass() const override;
    // Entries that are shown, separators not counted, sub-menus counted once.
    int GetVisibleItemCount() const;
};
