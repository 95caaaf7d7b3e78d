#include "platform/DesktopServices.h"

#include "ui/TrayIcon.h"
#include "ui/WindowWnd.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QProcess>
#include <QUrl>

namespace
{

QString FilterText(const FileDialogRequest& request)
{
    // Qt separates the patterns of one filter with spaces.
    QString patterns = request.patterns;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return QStringLiteral("%1 (%2)").arg(request.filterName, patterns);
}

QWidget* OwnerWidget(HWND hOwner)
{
    CWindowWnd* owner = CWindowWnd::FromHandle(hOwner);
    return owner != nullptr ? owner->GetWidget() : nullptr;
}

class QtDesktopServices : public DesktopServices
{
public:
    std::optional<std::filesystem::path> GetOpenFileName(const FileDialogRequest& request) override
    {
        QFileDialog dialog(OwnerWidget(request.hOwner), QString(),
                           QString::fromStdString(request.startFolder.string()),
                           FilterText(request));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
        return Run(dialog);
    }

    std::optional<std::filesystem::path> GetSaveFileName(const FileDialogRequest& request) override
    {
        QFileDialog dialog(OwnerWidget(request.hOwner), QString(),
                           QString::fromStdString(request.startFolder.string()),
                           FilterText(request));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile); // in an existing folder only
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        // Qt asks before replacing a file unless told not to.
        return Run(dialog);
    }

    bool OpenAddress(const QString& address) override
    {
        QUrl url = QUrl::fromUserInput(address);
        return url.isValid() && QDesktopServices::openUrl(url);
    }

    bool StartProgram(const std::filesystem::path& program) override
    {
        return QProcess::startDetached(QString::fromStdString(program.string()), {});
    }

    bool HasTray() override { return CTrayIcon::IsSystemTrayAvailable(); }

private:
    static std::optional<std::filesystem::path> Run(QFileDialog& dialog)
    {
        dialog.setWindowModality(Qt::ApplicationModal);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return std::filesystem::path(dialog.selectedFiles().first().toStdString());
    }
};

QtDesktopServices g_desktop;
DesktopServices* g_pServices = &g_desktop;

} // namespace

DesktopServices& Desktop()
{
    return *g_pServices;
}

void SetDesktopServices(DesktopServices* services)
{
    g_pServices = services != nullptr ? services : &g_desktop;
}
