#pragma once
// A one-line text field. Typing notifies "textchanged"; setting the text from
// code does not. Gaining and losing the focus notify "setfocus"/"killfocus".
// Enter notifies "return"; with "entercommits" it then also leaves the field,
// so that Enter takes a name as leaving the field does.

#include "ui/LabelUI.h"

class QLineEdit;

class CEditUI : public CLabelUI
{
public:
    QString GetClass() const override;

    QString GetText() const override;
    void SetText(const QString& text) override;

    // Selects from nStartChar to nEndChar (-1: the end); equal ends put the caret there.
    void SetSel(long nStartChar, long nEndChar);
    void SetSelAll();
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool bReadOnly);
    int GetMaxChar() const { return m_iMaxChar; }
    void SetMaxChar(int uMax);
    // Only the digits 0-9 can be typed.
    void SetNumberOnly(bool bNumberOnly);
    void SetPasswordMode(bool bPasswordMode);

    void SetAttribute(const QString& name, const QString& value) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget(QWidget* widget) override;

private:
    QLineEdit* Edit() const;
    void ApplyStyle() const;

    bool m_bReadOnly = false;
    int m_iMaxChar = 255;
    bool m_bNumberOnly = false;
    bool m_bPassword = false;
    bool m_bEnterCommits = false;
};
