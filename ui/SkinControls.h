#pragma once
// The controls a page or window needs from its skin, looked up by name and
// kind; those the skin lacks are remembered so they can be reported together.

#include "ui/PaintManagerUI.h"

#include <QString>
#include <QStringList>

class SkinControls
{
public:
    // The named control as the kind the caller expects; null (and remembered)
    // when missing or of another kind.
    template <typename T = CControlUI> T* Need(const CPaintManagerUI& pm, const QString& name)
    {
        T* control = dynamic_cast<T*>(pm.FindControl(name));
        if (control == nullptr)
            m_missing.push_back(name);
        return control;
    }

    bool AllFound() const { return m_missing.isEmpty(); }
    // Says on stderr which were missing, naming the skin file.
    void ReportMissing(const QString& skinFile) const;

private:
    QStringList m_missing;
};
