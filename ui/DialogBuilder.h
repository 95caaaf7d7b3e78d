#pragma once
// Builds a control tree from a skin file of the resource folder, or from an
// absolute path (schema in res/README.md). Parsed files are kept, so building list items from the
// same file again and again reads it once.

#include <QString>
#include <memory>

namespace pugi
{
class xml_document;
class xml_node;
} // namespace pugi

class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;

class CDialogBuilder
{
public:
    // Builds the file's tree. A <Window> root gives the manager (if any) its
    // size and caption. With a parent the tree is added to it. Null when the
    // file is missing, broken or holds no control.
    CControlUI* Create(const QString& xml, const QString& type = QString(),
                       IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
    // Builds the file of the last Create again.
    CControlUI* Create(IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);

    // The parsed skin file, or null (said once on stderr, until ClearCache).
    static std::shared_ptr<const pugi::xml_document> LoadDocument(const QString& xml);
    static void ClearCache();

private:
    CControlUI* Build(const pugi::xml_node& node);
    CControlUI* CreateControl(const QString& kind);
    static bool AddToParent(CControlUI* pParent, CControlUI* pControl);

    QString m_file;
    std::shared_ptr<const pugi::xml_document> m_doc;
    IDialogBuilderCallback* m_pCallback = nullptr;
    int m_includeDepth = 0;
};
