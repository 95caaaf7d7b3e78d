#pragma once
// Writes data files on a thread of its own, so that writing and flushing a
// file of hundreds of megabytes never holds the window. Each save hands over
// the file's whole bytes, taken at once; files are written in the order they
// were handed over, and a file saved again while its earlier save still waits
// is written once, with the newest bytes.

#include "model/AtomicFile.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class BackgroundSave
{
public:
    // Called on the saving thread for each file written or failed.
    using Done = std::function<void(const SaveResult&)>;

    explicit BackgroundSave(Done done);
    // Writes whatever was handed over first.
    ~BackgroundSave();
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;

    // Makes file's folder when needed and replaces the file with bytes, as
    // WriteFileAtomically does.
    void Save(std::filesystem::path file, std::vector<std::byte> bytes);
    // The same with the records' bytes back to back, copied into the bytes
    // of the file's last save: filling memory touched before is several
    // times faster than fresh memory, which counts at hundreds of megabytes.
    template <typename Record>
    void SaveRecords(std::filesystem::path file, const std::vector<std::shared_ptr<Record>>& records)
    {
        std::vector<std::byte> image = Buffer(file);
        CopyRecords(records, image);
        Save(std::move(file), std::move(image));
    }
    // Returns once everything handed over is written or has failed.
    void Flush();

private:
    struct Job
    {
        std::filesystem::path file;
        std::vector<std::byte> bytes;
    };

    std::vector<std::byte> Buffer(const std::filesystem::path& file);
    void Run();

    Done m_done;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_waiting;
    bool m_bWriting = false;
    bool m_bStopping = false;
    // The bytes each file was last written with, for its next save to fill.
    std::map<std::filesystem::path, std::vector<std::byte>> m_spare;
    std::thread m_thread; // started by the first save
};
