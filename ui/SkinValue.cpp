#include "ui/SkinValue.h"

#include "ui/Theme.h"

#include <QStringView>

#include <cstddef>

namespace
{
// The first numbers of a comma list ("2,4,2,4"), read in place: a skin has
// thousands of them.
template <std::size_t N> void ParseSkinNumbers(const QString& value, int (&numbers)[N])
{
    std::size_t i = 0;
    for (const QStringView part : QStringView(value).tokenize(u','))
    {
        if (i == N)
            break;
        numbers[i++] = part.trimmed().toInt();
    }
}
} // namespace

RECT ParseSkinRect(const QString& value)
{
    int v[4] = {0, 0, 0, 0};
    ParseSkinNumbers(value, v);
    return RECT{v[0], v[1], v[2], v[3]};
}

SIZE ParseSkinSize(const QString& value)
{
    int v[2] = {0, 0};
    ParseSkinNumbers(value, v);
    return SIZE{v[0], v[1]};
}

bool ParseSkinBool(const QString& value)
{
    const QStringView v = QStringView(value).trimmed();
    return v.compare(u"true", Qt::CaseInsensitive) == 0 || v == u"1";
}

int ParseSkinInt(const QString& value)
{
    const QStringView v = QStringView(value).trimmed();
    bool ok = false;
    const int n = v.startsWith(u"0x", Qt::CaseInsensitive) ? v.mid(2).toInt(&ok, 16) : v.toInt(&ok);
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
    // Views, not copies: a window's skin parses thousands of colours at start.
    const QStringView v = QStringView(value).trimmed();
    if (v.startsWith(u'@'))
        return Theme::Instance().FindColor(v.mid(1), argb);
    QStringView digits;
    if (v.startsWith(u'#'))
        digits = v.mid(1);
    else if (v.startsWith(u"0x", Qt::CaseInsensitive))
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
