#pragma once
// Lets a window make controls of its own kinds while a skin is built.

#include <QString>

class CControlUI;

class IDialogBuilderCallback
{
public:
    // A control for an element name the builder does not know, or null.
    virtual CControlUI* CreateControl(const QString& pstrClass) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};
