#include "ui/Theme.h"

#include "model/XmlFile.h"
#include "ui/SkinValue.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <pugixml.hpp>

#include <utility>

// Later definitions of a name win, as they did when the theme grew by hand.
template <typename T> void Theme::Define(Named<T>& table, QString name, T value)
{
    if (T* known = Find(table, name))
        *known = std::move(value);
    else
        table.emplace_back(std::move(name), std::move(value));
}

Theme& Theme::Instance()
{
    static Theme theme;
    return theme;
}

bool Theme::Load(const QString& file)
{
    pugi::xml_document doc;
    if (!LoadXmlFile(doc, std::filesystem::path(file.toStdU16String())))
        return false;
    pugi::xml_node root = doc.child("Theme");
    if (!root)
        return false;

    m_colors.clear();
    m_fonts.clear();
    m_styles.clear();
    m_defaults.clear();
    // Colours first: fonts, styles and the sheet refer to them.
    for (pugi::xml_node n : root.children("Color"))
    {
        DWORD argb = 0;
        if (!ParseSkinColor(QString::fromUtf8(n.attribute("value").value()), argb))
            continue;
        Define(m_colors, QString::fromUtf8(n.attribute("name").value()), argb);
    }
    for (pugi::xml_node n : root.children("Font"))
    {
        QFont font(QString::fromUtf8(n.attribute("family").value()));
        font.setPixelSize(n.attribute("size").as_int(13));
        font.setBold(n.attribute("bold").as_bool(false));
        font.setUnderline(n.attribute("underline").as_bool(false));
        font.setStyleStrategy(QFont::PreferAntialias);
        Define(m_fonts, QString::fromUtf8(n.attribute("name").value()), font);
    }
    for (pugi::xml_node n : root.children("Style"))
        Define(m_styles, QString::fromUtf8(n.attribute("name").value()),
               ParseSkinAttributes(QString::fromUtf8(n.attribute("value").value())));
    for (pugi::xml_node n : root.children("Default"))
        Define(m_defaults, QString::fromUtf8(n.attribute("name").value()),
               ParseSkinAttributes(QString::fromUtf8(n.attribute("value").value())));
    // Images of the sheet are named relative to the theme's folder.
    m_styleSheet = QString::fromUtf8(root.child("StyleSheet").text().get());
    m_styleSheet.replace(QStringLiteral("%RES%"), QFileInfo(file).absolutePath() + '/');
    return true;
}

bool Theme::FindColor(QStringView name, DWORD& argb) const
{
    const DWORD* found = Find(m_colors, name);
    if (found == nullptr)
        return false;
    argb = *found;
    return true;
}

QColor Theme::Color(const QString& name) const
{
    DWORD argb = 0;
    return FindColor(name, argb) ? QColor::fromRgba(argb) : QColor(128, 128, 128);
}

QFont Theme::Font(const QString& name) const
{
    if (const QFont* font = Find(m_fonts, name.isEmpty() ? u"default" : QStringView(name)))
        return *font;
    const QFont* fallback = Find(m_fonts, u"default");
    return fallback != nullptr ? *fallback : QFont();
}

namespace
{
const SkinAttributes& ListOrNone(const SkinAttributes* list)
{
    static const SkinAttributes none;
    return list != nullptr ? *list : none;
}
} // namespace

const SkinAttributes& Theme::Style(const QString& name) const
{
    return ListOrNone(Find(m_styles, name));
}

const SkinAttributes& Theme::Defaults(const QString& controlClass) const
{
    return ListOrNone(Find(m_defaults, controlClass));
}

QString Theme::StyleSheet() const
{
    static const QRegularExpression colorRef(QStringLiteral("@([A-Za-z0-9_]+)"));
    QString sheet;
    qsizetype last = 0;
    for (auto it = colorRef.globalMatch(m_styleSheet); it.hasNext();)
    {
        const QRegularExpressionMatch m = it.next();
        sheet += m_styleSheet.mid(last, m.capturedStart() - last);
        sheet += Color(m.captured(1)).name(QColor::HexArgb);
        last = m.capturedEnd();
    }
    sheet += m_styleSheet.mid(last);
    return sheet;
}

void Theme::ApplyToApplication() const
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr)
        return;
    app->setFont(Font(QString()));
    app->setStyleSheet(StyleSheet());
}
