#include "ui/ResourceManager.h"

#include "ui/ControlUI.h"
#include "ui/DialogBuilder.h"
#include "ui/PaintManagerUI.h"

#include <filesystem>

CResourceManager* CResourceManager::GetInstance()
{
    static CResourceManager manager;
    return &manager;
}

bool CResourceManager::LoadResource(const QString& xml, const QString&)
{
    return CDialogBuilder::LoadDocument(xml) != nullptr;
}

bool CResourceManager::LoadLanguage(const QString& file)
{
    const QString path = CPaintManagerUI::GetResourcePath() + file;
    return m_language.Load(std::filesystem::path(path.toStdU16String()));
}

QString CResourceManager::GetText(const QString& key) const
{
    if (key.isEmpty())
        return QString();
    return QString::fromStdU16String(m_language.GetText(key.toStdString()));
}

void CResourceManager::ReloadText()
{
    for (CPaintManagerUI* pm : CPaintManagerUI::GetPaintManagers())
        if (CControlUI* root = pm->GetRoot())
            root->ReloadText();
}
