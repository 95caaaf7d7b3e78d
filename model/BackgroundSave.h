#pragma once
// Writes data files on a thread of its own, so that writing and flushing a
// file of hundreds of megabytes never holds the window. Each save hands over
// the file's whole bytes, taken at once; files are written in the order they
// were handed over, and a file saved again while its earlier save still waits
// is written once, with the newest bytes. All but the callbacks belong to the
// thread that made the object (the window's).

#include "model/AtomicFile.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

class BackgroundSave
{
public:
    // Called on the saving thread for each file written or failed.
    using Done = std::function<void(const SaveResult&)>;
    // Called on the saving thread when a buffer is ready for FillPrepared.
    using Prepared = std::function<void()>;

    explicit BackgroundSave(Done done, Prepared prepared = {});
    // Writes whatever was handed over first.
    ~BackgroundSave();
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;

    // Makes file's folder when needed and replaces the file with bytes, as
    // WriteFileAtomically does.
    void Save(std::filesystem::path file, std::vector<std::byte> bytes);
    // The same with the records' bytes back to back, copied into the bytes
    // of the file's last save: filling memory touched before is several
    // times faster than fresh memory. Without such bytes, a large file's
    // buffer is first made on the saving thread, and the records are copied
    // by FillPrepared (or Flush), as they are then; so they must live until then.
    template <typename Record>
    void SaveRecords(std::filesystem::path file, const std::vector<std::shared_ptr<Record>>& records)
    {
        SaveFilled(std::move(file), records.size() * sizeof(Record),
                   [&records](std::vector<std::byte>& image) { CopyRecords(records, image); });
    }
    // Copies what waits for a buffer made meanwhile, and hands it over.
    void FillPrepared();
    // Returns once everything handed over is written or has failed.
    void Flush();

    // From this size on a first save's buffer is made on the saving thread:
    // fresh memory costs about as much again as the copy into it.
    static constexpr std::size_t kPrepareFrom = std::size_t{32} << 20;

private:
    using Fill = std::function<void(std::vector<std::byte>&)>;
    struct Job
    {
        std::filesystem::path file;
        std::vector<std::byte> bytes;
        std::size_t prepare = 0; // not a write: a buffer of this size to make
    };

    void SaveFilled(std::filesystem::path file, std::size_t size, Fill fill);
    std::vector<std::byte> TakeSpare(const std::filesystem::path& file);
    void KeepSpare(const std::filesystem::path& file, std::vector<std::byte> bytes);
    // The write of file that has not started yet, if any.
    std::deque<Job>::iterator WaitingWrite(const std::filesystem::path& file);
    void StartLocked();
    void Run();

    Done m_done;
    Prepared m_prepared;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_waiting;
    bool m_bBusy = false; // the thread works on a job it took
    std::filesystem::path m_writing; // the file it writes, if any
    bool m_bStopping = false;
    // The bytes each file was last written with, for its next save to fill.
    std::map<std::filesystem::path, std::vector<std::byte>> m_spare;
    // Saves waiting for a buffer: being made (m_preparing) or coming back
    // from the file's write (m_writing).
    std::map<std::filesystem::path, Fill> m_fills;
    std::set<std::filesystem::path> m_preparing;
    std::thread m_thread; // started by the first save
};
