#pragma once
// Tells the user why a window or page shows less than it should: one line on
// stderr naming the skin file, written whether or not VESTREL_DEBUG is set,
// since a damaged installation is no developer's matter.

#include <QString>

// skinFile: a file of the resource folder ("macro.xml") or an absolute path.
void ReportSkinProblem(const QString& skinFile, const QString& problem);
