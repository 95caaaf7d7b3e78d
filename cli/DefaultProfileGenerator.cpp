// Build step: writes the Default.pbin shipped beside the program, the factory
// profile of the sample mouse's sensor, named with the English "profile_text".
// Usage: vestrel_default_pbin PROGRAM_DIR LANGUAGE_FILE OUTPUT

#include "app/DeviceDescription.h"
#include "app/LanguageFile.h"
#include "model/AtomicFile.h"
#include "model/NameField.h"
#include "model/ProfileDefaults.h"
#include "model/ProfileExchange.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::cerr << "usage: vestrel_default_pbin PROGRAM_DIR LANGUAGE_FILE OUTPUT\n";
        return 2;
    }
    DeviceDescription description = ReadDeviceDescription(argv[1]);
    LanguageFile language;
    if (!language.Load(argv[2]) || !language.HasKey("profile_text"))
    {
        std::cerr << "vestrel_default_pbin: no profile_text in " << argv[2] << "\n";
        return 1;
    }
    auto profile = std::make_unique<ProfileData>();
    ApplyProfileDefaults(*profile, description.m_iSensor);
    SetNameField(profile->szName, language.GetText("profile_text"));
    std::filesystem::path output = argv[3];
    EnsureDirectory(output.parent_path());
    if (!WriteProfileFile(output, *profile))
    {
        std::cerr << "vestrel_default_pbin: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
