#include "ui/SkinValue.h"

#include "ui/Theme.h"

#include <QStringList>

RECT ParseSkinRect(const QString& value)
{
    const QStringList parts = value.split(',');
    int v[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        v[i] = parts[i].trimmed().toInt();
    return RECT{v[0], v[1], v[2], v[3]};
}

SIZE ParseSkinSize(const QString& value)
{
    const QStringList parts = value.split(',');
    SIZE s;
    if (parts.size() > 0)
        s.cx = parts[0].trimmed().toInt();
    if (parts.size() > 1)
        s.cy = parts[1].trimmed().toInt();
    return s;
}

bool ParseSkinBool(const QString& value)
{
    const QString v = value.trimmed().toLower();
    return v == "true" || v == "1";
}

int ParseSkinInt(const QString& value)
{
    const QString v = value.trimmed();
    bool ok = false;
    int n = v.startsWith("0x", Qt::CaseInsensitive) ? v.mid(2).toInt(&ok, 16) : v.toInt(&ok);
    return ok ? n : 0;
}

SkinAttributes ParseSkinAttributes(const QString& list)
{
    SkinAttributes attributes;
    qsizetype pos = 0;
    while (pos < list.size())
    {
        const qsizetype eq = list.indexOf('=', pos);
        if (eq < 0)
            break;
        const qsizetype open = eq + 1;
        if (open >= list.size())
            break;
        const QChar quote = list[open];
        if (quote != '\'' && quote != '"')
            break;
        const qsizetype close = list.indexOf(quote, open + 1);
        if (close < 0)
            break;
        attributes.append({list.mid(pos, eq - pos).trimmed(), list.mid(open + 1, close - open - 1)});
        pos = close + 1;
    }
    return attributes;
}

bool ParseSkinColor(const QString& value, DWORD& argb)
{
    const QString v = value.trimmed();
    if (v.startsWith('@'))
        return Theme::Instance().FindColor(v.mid(1), argb);
    QString digits;
    if (v.startsWith('#'))
        digits = v.mid(1);
    else if (v.startsWith("0x", Qt::CaseInsensitive))
        digits = v.mid(2);
    else
        return false;
    bool ok = false;
    const uint n = digits.toUInt(&ok, 16);
    if (!ok || (digits.size() != 6 && digits.size() != 8))
        return false;
    argb = digits.size() == 6 ? (0xFF000000u | n) : n;
    return true;
}
