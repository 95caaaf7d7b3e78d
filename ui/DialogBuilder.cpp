#include "ui/DialogBuilder.h"

#include "model/DebugTrace.h"
#include "model/AtomicFile.h"
#include "model/XmlFile.h"
#include "ui/CheckBoxUI.h"
#include "ui/ColorPaletteUI.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/IDialogBuilderCallback.h"
#include "ui/ListContainerElementUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ListUI.h"
#include "ui/MenuElementUI.h"
#include "ui/MenuUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/SkinProblem.h"
#include "ui/SkinValue.h"
#include "ui/SliderUI.h"
#include "ui/TabLayoutUI.h"
#include "ui/Theme.h"

#include <QDir>
#include <QHash>
#include <filesystem>
#include <pugixml.hpp>

namespace
{
// Deep enough for any real skin, small enough to stop a file that includes itself.
constexpr int kMaxIncludeDepth = 8;
// Elements nested within one file; building recurses, so a deeper file could
// overflow the stack.
constexpr int kMaxNesting = 64;

QHash<QString, std::shared_ptr<const pugi::xml_document>>& DocumentCache()
{
    static QHash<QString, std::shared_ptr<const pugi::xml_document>> cache;
    return cache;
}

// The element that holds the tree: the first child of <Window>, or the root itself.
pugi::xml_node TreeRoot(const pugi::xml_document& doc)
{
    pugi::xml_node root = doc.document_element();
    if (QString::fromUtf8(root.name()) != "Window")
        return root;
    for (pugi::xml_node child : root.children())
        if (child.type() == pugi::node_element)
            return child;
    return pugi::xml_node();
}

// Walked without recursion, so that any depth can be measured.
bool NestsDeeperThan(const pugi::xml_document& doc, int limit)
{
    pugi::xml_node node = doc.first_child();
    int depth = 1;
    while (node)
    {
        if (node.type() == pugi::node_element && depth > limit)
            return true;
        if (pugi::xml_node child = node.first_child())
        {
            node = child;
            ++depth;
            continue;
        }
        while (node && !node.next_sibling())
        {
            node = node.parent();
            --depth;
        }
        if (node)
            node = node.next_sibling();
    }
    return false;
}

// The parsed file, or null after saying why there is none.
std::shared_ptr<const pugi::xml_document> ReadDocument(const QString& xml, const QString& path)
{
    // Bounded like every file read: an <Include> without a source names the
    // resource folder itself, which is refused like any other non-file.
    const auto bytes =
        ReadWholeFile(std::filesystem::path(path.toStdU16String()), kMaxXmlFileBytes);
    if (!bytes)
    {
        ReportSkinProblem(xml, QStringLiteral("cannot be read"));
        return nullptr;
    }
    auto doc = std::make_shared<pugi::xml_document>();
    if (const pugi::xml_parse_result result = doc->load_buffer(bytes->data(), bytes->size());
        !result)
    {
        ReportSkinProblem(xml, QStringLiteral("cannot be read (%1 at byte %2)")
                                   .arg(QString::fromUtf8(result.description()))
                                   .arg(result.offset));
        return nullptr;
    }
    if (NestsDeeperThan(*doc, kMaxNesting))
    {
        ReportSkinProblem(xml, QStringLiteral("elements nest deeper than %1").arg(kMaxNesting));
        return nullptr;
    }
    return doc;
}
} // namespace

std::shared_ptr<const pugi::xml_document> CDialogBuilder::LoadDocument(const QString& xml)
{
    const QString path = QDir::isAbsolutePath(xml) ? xml : CPaintManagerUI::GetResourcePath() + xml;
    auto& cache = DocumentCache();
    auto it = cache.find(path);
    if (it != cache.end())
        return it.value();
    // A file that failed is kept as failed too: a list whose items all come
    // from it says so once, not once per item.
    auto doc = ReadDocument(xml, path);
    cache.insert(path, doc);
    return doc;
}

void CDialogBuilder::ClearCache()
{
    DocumentCache().clear();
}

CControlUI* CDialogBuilder::Create(const QString& xml, const QString&,
                                   IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent)
{
    m_file = xml;
    m_doc = LoadDocument(xml);
    return Create(pCallback, pManager, pParent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent)
{
    if (!m_doc)
        return nullptr;
    m_pCallback = pCallback;
    pugi::xml_node window = m_doc->document_element();
    if (pManager != nullptr && QString::fromUtf8(window.name()) == "Window")
    {
        if (pugi::xml_attribute size = window.attribute("size"))
        {
            const SIZE s = ParseSkinSize(QString::fromUtf8(size.value()));
            pManager->SetInitSize(s.cx, s.cy);
        }
        if (pugi::xml_attribute caption = window.attribute("caption"))
            pManager->SetCaptionRect(ParseSkinRect(QString::fromUtf8(caption.value())));
    }
    pugi::xml_node root = TreeRoot(*m_doc);
    CControlUI* control = root ? Build(root) : nullptr;
    if (control == nullptr)
    {
        ReportSkinProblem(m_file, QStringLiteral("holds no control"));
        return nullptr;
    }
    if (pParent != nullptr && !AddToParent(pParent, control))
    {
        delete control;
        return nullptr;
    }
    return control;
}

CControlUI* CDialogBuilder::CreateControl(const QString& kind)
{
    if (kind == "Control")
        return new CControlUI;
    if (kind == "VerticalLayout" || kind == "Container")
        return new CContainerUI(CContainerUI::Orientation::Vertical);
    if (kind == "HorizontalLayout")
        return new CContainerUI(CContainerUI::Orientation::Horizontal);
    if (kind == "TabLayout")
        return new CTabLayoutUI;
    if (kind == "Label" || kind == "Text")
        return new CLabelUI;
    if (kind == "Button")
        return new CButtonUI;
    if (kind == "Option")
        return new COptionUI;
    if (kind == "CheckBox")
        return new CCheckBoxUI;
    if (kind == "Edit")
        return new CEditUI;
    if (kind == "Combo")
        return new CComboUI;
    if (kind == "List")
        return new CListUI;
    if (kind == "ListLabelElement")
        return new CListLabelElementUI;
    if (kind == "ListContainerElement")
        return new CListContainerElementUI;
    if (kind == "Slider")
        return new CSliderUI;
    if (kind == "Progress")
        return new CProgressUI;
    if (kind == "ColorPalette")
        return new CColorPaletteUI;
    if (kind == "Menu")
        return new CMenuUI;
    if (kind == "MenuElement")
        return new CMenuElementUI;
    if (kind == "MenuSeparator")
        return new CMenuElementUI(true);
    return m_pCallback != nullptr ? m_pCallback->CreateControl(kind) : nullptr;
}

bool CDialogBuilder::AddToParent(CControlUI* pParent, CControlUI* pControl)
{
    if (auto* combo = dynamic_cast<CComboUI*>(pParent))
        return combo->Add(pControl);
    if (auto* container = dynamic_cast<CContainerUI*>(pParent))
        return container->Add(pControl);
    return false;
}

CControlUI* CDialogBuilder::Build(const pugi::xml_node& node)
{
    const QString kind = QString::fromUtf8(node.name());
    CControlUI* control = nullptr;
    if (kind == "Include")
    {
        // A part of the window kept in its own file, e.g. one page.
        if (m_includeDepth >= kMaxIncludeDepth)
            return nullptr;
        auto doc = LoadDocument(QString::fromUtf8(node.attribute("source").value()));
        pugi::xml_node root = doc ? TreeRoot(*doc) : pugi::xml_node();
        if (!root)
            return nullptr;
        ++m_includeDepth;
        control = Build(root);
        --m_includeDepth;
        if (control == nullptr)
            return nullptr;
        // The include's own attributes (virtualwnd, sizes) apply to the included root.
        for (pugi::xml_attribute a : node.attributes())
            if (QString::fromUtf8(a.name()) != "source")
                control->SetAttribute(QString::fromUtf8(a.name()), QString::fromUtf8(a.value()));
        return control;
    }

    control = CreateControl(kind);
    if (control == nullptr)
    {
        DebugTrace("skin: unknown element %s\n", node.name());
        return nullptr;
    }
    // Theme defaults, then the named style, then the element's own attributes.
    control->ApplyAttributeList(Theme::Instance().Defaults(kind));
    if (pugi::xml_attribute style = node.attribute("style"))
        control->ApplyAttributeList(Theme::Instance().Style(QString::fromUtf8(style.value())));
    for (pugi::xml_attribute a : node.attributes())
    {
        const QString name = QString::fromUtf8(a.name());
        if (!IsAttribute(name, u"style"))
            control->SetAttribute(name, QString::fromUtf8(a.value()));
    }
    for (pugi::xml_node child : node.children())
    {
        if (child.type() != pugi::node_element)
            continue;
        if (CControlUI* sub = Build(child); sub != nullptr && !AddToParent(control, sub))
            delete sub;
    }
    return control;
}
