#pragma once
// Readers for the attribute values of the skin schema (res/README.md).

#include "ui/UIDefs.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <utility>

// An attribute name against one the code knows. The literal's size is known
// when compiling, so most names are told apart by their size alone; comparing
// with a bare u"..." would measure the literal at every call.
template <std::size_t N> bool IsAttribute(const QString& name, const char16_t (&known)[N])
{
    return name.size() == qsizetype(N - 1) && QStringView(name) == QStringView(known, N - 1);
}

// "l,t,r,b"; missing numbers are 0.
RECT ParseSkinRect(const QString& value);
// "cx,cy".
SIZE ParseSkinSize(const QString& value);
// "true"/"1" (anything else is false).
bool ParseSkinBool(const QString& value);
// Decimal, or hex with a 0x prefix; 0 when not a number.
int ParseSkinInt(const QString& value);
// name='value' pairs (either quote), as a style or a kind's defaults list them;
// read once, applied to many controls.
using SkinAttributes = QList<std::pair<QString, QString>>;
SkinAttributes ParseSkinAttributes(const QString& list);
// "#AARRGGBB", "#RRGGBB", "0xAARRGGBB" or "@name" of a theme colour; false if none of them.
bool ParseSkinColor(const QString& value, DWORD& argb);
