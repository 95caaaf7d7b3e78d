#include "ui/SkinControls.h"

#include "ui/ControlUI.h"
#include "ui/SkinProblem.h"

CControlUI* SkinControls::Find(const CPaintManagerUI& pm, const QString& name)
{
    CControlUI* root = pm.GetRoot();
    if (root == nullptr)
        return nullptr;
    if (root != m_indexedRoot || CControlUI::TreeGeneration() != m_indexedGeneration)
    {
        m_index.clear();
        root->CollectNames(m_index);
        m_indexedRoot = root;
        m_indexedGeneration = CControlUI::TreeGeneration();
    }
    return m_index.value(name);
}

void SkinControls::ReportMissing(const QString& skinFile) const
{
    if (m_missing.isEmpty())
        return;
    // The first name is enough to go on; a file that is gone lacks them all.
    QString problem = QStringLiteral("control \"%1\" is missing").arg(m_missing.front());
    if (m_missing.size() > 1)
        problem += QStringLiteral(" (and %1 more)").arg(m_missing.size() - 1);
    ReportSkinProblem(skinFile, problem);
}
