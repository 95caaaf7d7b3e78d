#pragma once
// One entry of a menu built from menu XML: name, text (or text key), user data;
// entries inside it form a sub-menu. A separator has no text and cannot be chosen.

#include "ui/ContainerUI.h"

class CMenuElementUI : public CContainerUI
{
public:
    explicit CMenuElementUI(bool bSeparator = false) : m_bSeparator(bSeparator) {}
    QString GetClass() const override;

    bool IsSeparator() const { return m_bSeparator; }
    bool IsChecked() const { return m_bChecked; }
    void SetChecked(bool bChecked) { m_bChecked = bChecked; }
    // The entry shows a check mark that follows IsChecked.
    bool IsCheckable() const { return m_bCheckable; }

    void SetAttribute(const QString& name, const QString& value) override;

private:
    bool m_bSeparator;
    bool m_bCheckable = false;
    bool m_bChecked = false;
};
