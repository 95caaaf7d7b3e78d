#include "ui/Theme.h"

#include "model/XmlFile.h"
#include "ui/SkinValue.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <pugixml.hpp>

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
        if (ParseSkinColor(QString::fromUtf8(n.attribute("value").value()), argb))
            m_colors.insert(QString::fromUtf8(n.attribute("name").value()), argb);
    }
    for (pugi::xml_node n : root.children("Font"))
    {
        QFont font(QString::fromUtf8(n.attribute("family").value()));
        font.setPixelSize(n.attribute("size").as_int(13));
        font.setBold(n.attribute("bold").as_bool(false));
        font.setUnderline(n.attribute("underline").as_bool(false));
        font.setStyleStrategy(QFont::PreferAntialias);
        m_fonts.insert(QString::fromUtf8(n.attribute("name").value()), font);
    }
    for (pugi::xml_node n : root.children("Style"))
        m_styles.insert(QString::fromUtf8(n.attribute("name").value()),
                        ParseSkinAttributes(QString::fromUtf8(n.attribute("value").value())));
    for (pugi::xml_node n : root.children("Default"))
        m_defaults.insert(QString::fromUtf8(n.attribute("name").value()),
                          ParseSkinAttributes(QString::fromUtf8(n.attribute("value").value())));
    // Images of the sheet are named relative to the theme's folder.
    m_styleSheet = QString::fromUtf8(root.child("StyleSheet").text().get());
    m_styleSheet.replace(QStringLiteral("%RES%"), QFileInfo(file).absolutePath() + '/');
    return true;
}

bool Theme::FindColor(const QString& name, DWORD& argb) const
{
    auto it = m_colors.find(name);
    if (it == m_colors.end())
        return false;
    argb = it.value();
    return true;
}

QColor Theme::Color(const QString& name) const
{
    DWORD argb = 0;
    return FindColor(name, argb) ? QColor::fromRgba(argb) : QColor(128, 128, 128);
}

QFont Theme::Font(const QString& name) const
{
    auto it = m_fonts.find(name.isEmpty() ? QStringLiteral("default") : name);
    if (it != m_fonts.end())
        return it.value();
    it = m_fonts.find(QStringLiteral("default"));
    return it != m_fonts.end() ? it.value() : QFont();
}

namespace
{
const SkinAttributes& Find(const QHash<QString, SkinAttributes>& lists, const QString& name)
{
    static const SkinAttributes none;
    const auto it = lists.constFind(name);
    return it != lists.constEnd() ? it.value() : none;
}
} // namespace

const SkinAttributes& Theme::Style(const QString& name) const
{
    return Find(m_styles, name);
}

const SkinAttributes& Theme::Defaults(const QString& controlClass) const
{
    return Find(m_defaults, controlClass);
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
