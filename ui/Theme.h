#pragma once
// The look of every window, defined once in res/theme.xml: named colours,
// named fonts, attribute styles, per-kind defaults and the style sheet of the
// native Qt widgets (edits, combos, sliders, scroll bars, menus).

#include "ui/SkinValue.h"
#include "ui/UIDefs.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <utility>
#include <vector>

class Theme
{
public:
    static Theme& Instance();

    // Replaces the theme with the file's; false (and the previous theme kept) if it cannot be read.
    bool Load(const QString& file);

    bool FindColor(QStringView name, DWORD& argb) const;
    // A named colour; mid grey when the theme lacks it, so a typo shows but does not break.
    QColor Color(const QString& name) const;
    // A named font; "" or an unknown name gives the "default" font.
    QFont Font(const QString& name) const;
    // The attribute list of a named style, applied before a control's own attributes.
    const SkinAttributes& Style(const QString& name) const;
    // The attribute list every control of a kind ("Button", "Edit", ...) starts with.
    const SkinAttributes& Defaults(const QString& controlClass) const;
    // The native widgets' style sheet with every "@name" replaced by its colour
    // and "%RES%" by the theme's folder.
    QString StyleSheet() const;

    // Gives the application the default font and the style sheet.
    void ApplyToApplication() const;

private:
    // Each table holds a few dozen names, looked up thousands of times while a
    // skin is built: a scan of views beats hashing a copy of each name.
    template <typename T> using Named = std::vector<std::pair<QString, T>>;
    template <typename Table> static auto* Find(Table& table, QStringView name)
    {
        const auto it = std::find_if(table.begin(), table.end(),
                                     [name](const auto& entry) { return entry.first == name; });
        return it != table.end() ? &it->second : nullptr;
    }
    template <typename T> static void Define(Named<T>& table, QString name, T value);

    Named<DWORD> m_colors;
    Named<QFont> m_fonts;
    Named<SkinAttributes> m_styles;
    Named<SkinAttributes> m_defaults;
    QString m_styleSheet;
};
