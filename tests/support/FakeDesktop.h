#pragma once
// File dialogs, addresses and programs of the desktop as the tests answer
// them: each file dialog takes the next queued answer (none left: cancelled)
// and every request is kept for inspection.

#include "platform/DesktopServices.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

class FakeDesktop : public DesktopServices
{
public:
    std::optional<std::filesystem::path> GetOpenFileName(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        return Next();
    }
    std::optional<std::filesystem::path> GetSaveFileName(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        return Next();
    }
    bool OpenAddress(const QString& address) override
    {
        addresses.push_back(address);
        return true;
    }
    bool StartProgram(const std::filesystem::path& program) override
    {
        programs.push_back(program);
        return true;
    }
    bool HasTray() override { return hasTray; }

    std::deque<std::optional<std::filesystem::path>> answers;
    std::vector<FileDialogRequest> requests;
    std::vector<QString> addresses;
    std::vector<std::filesystem::path> programs;
    bool hasTray = true;

private:
    std::optional<std::filesystem::path> Next()
    {
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
