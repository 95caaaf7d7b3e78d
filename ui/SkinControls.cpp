#include "ui/SkinControls.h"

#include "ui/SkinProblem.h"

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
