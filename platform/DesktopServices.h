#pragma once
// The desktop's services the windows use: the file dialogs, opening an address
// or starting a program with the desktop's handler, and whether there is a
// tray. The program uses the desktop's own; tests install their own answers.

#include "ui/UIDefs.h"

#include <QString>
#include <filesystem>
#include <optional>

struct FileDialogRequest
{
    HWND hOwner = nullptr;
    QString filterName;    // "Profile Data"
    QString patterns;      // "*.pbin;*.PBIN"
    QString defaultSuffix; // added to a typed name without one; empty: none
    std::filesystem::path startFolder;
    QString fileName; // proposed in a save dialog's name field; empty: none
};

class DesktopServices
{
public:
    virtual ~DesktopServices() = default;

    // An existing file, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path>
    GetOpenFileName(const FileDialogRequest& request) = 0;
    // A file to write, in an existing folder; an existing file only after the
    // user agreed to replace it. Nothing when the user cancelled.
    virtual std::optional<std::filesystem::path>
    GetSaveFileName(const FileDialogRequest& request) = 0;
    // An address or file, with the desktop's handler for it.
    virtual bool OpenAddress(const QString& address) = 0;
    // Starts a program and leaves it running on its own.
    virtual bool StartProgram(const std::filesystem::path& program) = 0;
    // Whether the desktop shows tray icons; without one, hiding to the tray
    // minimises instead so the window is never lost.
    virtual bool HasTray() = 0;
};

// The services in use: the desktop's, or the ones installed last.
DesktopServices& Desktop();
// Installs other services (null: the desktop's again). The caller keeps them alive.
void SetDesktopServices(DesktopServices* services);
