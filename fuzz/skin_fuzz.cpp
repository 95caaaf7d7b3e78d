// A skin file of any bytes, built into its control tree the way a window
// builds it, laid out and painted offscreen. Parts it includes and the images
// it names come from the program's res/ folder.

#include "ui/ControlUI.h"
#include "ui/DialogBuilder.h"
#include "ui/PaintManagerUI.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{

const std::filesystem::path& SkinFile()
{
    struct Scratch
    {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("vestrel-fuzz-skin-" + std::to_string(::getpid()) + ".xml");
        ~Scratch()
        {
            std::error_code ec;
            std::filesystem::remove(path, ec);
        }
    };
    static const Scratch scratch;
    return scratch.path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never torn down: the process ends with the fuzzer, and Qt's teardown
    // at exit leaves font engine memory behind that would count as leaks.
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    CPaintManagerUI::SetResourcePath(QStringLiteral(VESTREL_SOURCE_DIR "/res/"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::ofstream(SkinFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    // Parsed skins are kept by path; every input is a new file.
    CDialogBuilder::ClearCache();

    QWidget host;
    host.resize(800, 572);
    CPaintManagerUI manager; // declared after the host: the tree goes first
    manager.Init(nullptr, &host);
    CDialogBuilder builder;
    CControlUI* root =
        builder.Create(QString::fromStdString(SkinFile().string()), QString(), nullptr, &manager);
    if (root != nullptr && manager.AttachDialog(root))
    {
        QImage image(host.size(), QImage::Format_ARGB32_Premultiplied);
        host.render(&image);
    }
    return 0;
}
