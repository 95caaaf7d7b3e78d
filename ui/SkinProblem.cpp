#include "ui/SkinProblem.h"

#include "ui/PaintManagerUI.h"

#include <QDir>
#include <cstdio>

namespace
{
// "res/macro.xml": the file as the user finds it beside the program.
QString ShownName(const QString& skinFile)
{
    const QString folder = CPaintManagerUI::GetResourcePath();
    QString relative = skinFile;
    if (QDir::isAbsolutePath(skinFile))
    {
        if (folder.isEmpty() || !skinFile.startsWith(folder))
            return skinFile;
        relative = skinFile.mid(folder.size());
    }
    return QDir(folder).dirName() + QLatin1Char('/') + relative;
}
} // namespace

void ReportSkinProblem(const QString& skinFile, const QString& problem)
{
    std::fprintf(stderr, "vestrel: skin %s: %s\n", ShownName(skinFile).toUtf8().constData(),
                 problem.toUtf8().constData());
}
