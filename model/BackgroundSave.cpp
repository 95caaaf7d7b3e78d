#include "model/BackgroundSave.h"

#include <algorithm>

BackgroundSave::BackgroundSave(Done done, Prepared prepared)
    : m_done(std::move(done)), m_prepared(std::move(prepared))
{
}

BackgroundSave::~BackgroundSave()
{
    Flush();
    {
        std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<std::byte> BackgroundSave::TakeSpare(const std::filesystem::path& file)
{
    const auto spare = m_spare.find(file);
    if (spare == m_spare.end())
        return {};
    std::vector<std::byte> bytes = std::move(spare->second);
    m_spare.erase(spare);
    return bytes;
}

void BackgroundSave::KeepSpare(const std::filesystem::path& file, std::vector<std::byte> bytes)
{
    std::vector<std::byte>& spare = m_spare[file];
    if (bytes.capacity() > spare.capacity())
        spare = std::move(bytes);
}

std::deque<BackgroundSave::Job>::iterator
BackgroundSave::WaitingWrite(const std::filesystem::path& file)
{
    return std::find_if(m_waiting.begin(), m_waiting.end(),
                        [&](const Job& job) { return job.prepare == 0 && job.file == file; });
}

void BackgroundSave::StartLocked()
{
    if (!m_thread.joinable())
        m_thread = std::thread(&BackgroundSave::Run, this);
    m_changed.notify_all();
}

void BackgroundSave::Save(std::filesystem::path file, std::vector<std::byte> bytes)
{
    std::lock_guard lock(m_mutex);
    const auto waiting = WaitingWrite(file);
    if (waiting != m_waiting.end())
    {
        // The older bytes were never written; they serve the next save.
        std::swap(waiting->bytes, bytes);
        KeepSpare(file, std::move(bytes));
    }
    else
        m_waiting.push_back({std::move(file), std::move(bytes)});
    StartLocked();
}

void BackgroundSave::SaveFilled(std::filesystem::path file, std::size_t size, Fill fill)
{
    std::unique_lock lock(m_mutex);
    // This save has the newest records: one waiting for a buffer is moot.
    m_fills.erase(file);
    const auto waiting = WaitingWrite(file);
    if (waiting != m_waiting.end())
    {
        // Not started yet: its bytes are filled anew, with the lock held so
        // that the thread cannot take them meanwhile.
        fill(waiting->bytes);
        return;
    }
    const auto spare = m_spare.find(file);
    if ((spare != m_spare.end() && spare->second.capacity() >= size) || size < kPrepareFrom)
    {
        std::vector<std::byte> image = TakeSpare(file);
        lock.unlock();
        fill(image);
        Save(std::move(file), std::move(image));
        return;
    }
    // Filled once a buffer is there, with the records as they are then.
    m_fills[file] = std::move(fill);
    if (m_writing == file || m_preparing.contains(file))
        return; // one is on its way
    m_preparing.insert(file);
    // Room to grow, so that added records do not need a new buffer each.
    m_waiting.push_back({std::move(file), {}, size + size / 8});
    StartLocked();
}

void BackgroundSave::FillPrepared()
{
    for (;;)
    {
        std::unique_lock lock(m_mutex);
        const auto ready = std::find_if(
            m_fills.begin(), m_fills.end(), [this](const auto& fill)
            { return fill.first != m_writing && !m_preparing.contains(fill.first); });
        if (ready == m_fills.end())
            return;
        std::filesystem::path file = ready->first;
        const Fill fill = std::move(ready->second);
        m_fills.erase(ready);
        std::vector<std::byte> image = TakeSpare(file);
        lock.unlock();
        fill(image);
        Save(std::move(file), std::move(image));
    }
}

void BackgroundSave::Flush()
{
    for (;;)
    {
        FillPrepared();
        std::unique_lock lock(m_mutex);
        // The buffers being made are ready too once the thread is idle.
        m_changed.wait(lock, [this] { return m_waiting.empty() && !m_bBusy; });
        if (m_fills.empty())
            return;
    }
}

void BackgroundSave::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;)
    {
        m_changed.wait(lock, [this] { return !m_waiting.empty() || m_bStopping; });
        if (m_waiting.empty())
            return; // stopping, and everything is written
        Job job = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_bBusy = true;
        if (job.prepare == 0)
            m_writing = job.file;
        lock.unlock();

        if (job.prepare != 0)
        {
            // Its pages are touched here, not on the window's thread.
            job.bytes.resize(job.prepare);
        }
        else
        {
            SaveResult result{job.file, EnsureDirectory(job.file.parent_path())};
            if (result)
                result = WriteFileAtomically(job.file, job.bytes);
            m_done(result);
        }

        lock.lock();
        KeepSpare(job.file, std::move(job.bytes));
        if (job.prepare != 0)
            m_preparing.erase(job.file);
        m_writing.clear();
        m_bBusy = false;
        const bool bFillWaits = m_fills.contains(job.file);
        m_changed.notify_all();
        if (bFillWaits && m_prepared)
        {
            lock.unlock();
            m_prepared();
            lock.lock();
        }
    }
}
