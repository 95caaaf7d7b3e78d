// A language file of any bytes: it loads or is refused, and every text it
// gave converts back to UTF-8 (the names built from texts are stored).

#include "app/LanguageFile.h"
#include "model/NameField.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{

const std::filesystem::path& File()
{
    struct Scratch
    {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("vestrel-fuzz-language-" + std::to_string(getpid()) + ".xml");
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::ofstream(File(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    LanguageFile language;
    const bool loaded = language.Load(File());
    if (!loaded && language.Size() != 0)
        __builtin_trap(); // a refused file leaves no texts behind
    for (const char* key : {"profile_text", "warning_title_text", "", "a"})
        Utf16ToUtf8(language.GetText(key));
    return 0;
}
