#pragma once
// The look of every window, defined once in res/theme.xml: named colours,
// named fonts, attribute styles, per-kind defaults and the style sheet of the
// native Qt widgets (edits, combos, sliders, scroll bars, menus).

#include "ui/SkinValue.h"
#include "ui/UIDefs.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>

class Theme
{
public:
    static Theme& Instance();

    // Replaces the theme with the file's; false (and the previous theme kept) if it cannot be read.
    bool Load(const QString& file);

    bool FindColor(const QString& name, DWORD& argb) const;
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
    QHash<QString, DWORD> m_colors;
    QHash<QString, QFont> m_fonts;
    QHash<QString, SkinAttributes> m_styles;
    QHash<QString, SkinAttributes> m_defaults;
    QString m_styleSheet;
};
