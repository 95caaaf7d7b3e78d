#pragma once
// One writer per data folder. The lock is the file ".lock" in the data folder
// with two advisory record locks on it (open file description locks, so they
// hold per open file, not per process): byte 0 is the writer's, taken by
// whoever writes; byte 1 is the program's, held by the GUI for its whole run.
// A writing vestrelctl command waits while another command writes, and
// refuses while the program runs. Released when the object goes.

#include <filesystem>

class DataFolderLock
{
public:
    static constexpr char kFileName[] = ".lock";

    enum class Outcome
    {
        Locked,
        ProgramRunning, // the program holds the folder
        Unavailable,    // no lock file can be made (Error says why): nobody can write there
    };

    DataFolderLock() = default;
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // The program's: the folder is marked as the program's, then the writer
    // lock is taken once a command writing now is done.
    Outcome LockForProgram(const std::filesystem::path& dataFolder);
    // A writing command's.
    Outcome LockForCommand(const std::filesystem::path& dataFolder);
    // The errno behind Unavailable.
    int Error() const { return m_error; }

private:
    bool Open(const std::filesystem::path& dataFolder);

    int m_fd = -1;
    int m_error = 0;
};
