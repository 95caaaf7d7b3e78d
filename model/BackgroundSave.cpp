#include "model/BackgroundSave.h"

#include <algorithm>

BackgroundSave::BackgroundSave(Done done) : m_done(std::move(done)) {}

BackgroundSave::~BackgroundSave()
{
    {
        std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<std::byte> BackgroundSave::Buffer(const std::filesystem::path& file)
{
    std::lock_guard lock(m_mutex);
    const auto spare = m_spare.find(file);
    if (spare == m_spare.end())
        return {};
    std::vector<std::byte> bytes = std::move(spare->second);
    m_spare.erase(spare);
    return bytes;
}

void BackgroundSave::Save(std::filesystem::path file, std::vector<std::byte> bytes)
{
    {
        std::lock_guard lock(m_mutex);
        const auto waiting = std::find_if(m_waiting.begin(), m_waiting.end(),
                                          [&](const Job& job) { return job.file == file; });
        if (waiting != m_waiting.end())
        {
            // The older bytes were never written; they serve the next save.
            std::swap(waiting->bytes, bytes);
            m_spare[file] = std::move(bytes);
        }
        else
            m_waiting.push_back({std::move(file), std::move(bytes)});
        if (!m_thread.joinable())
            m_thread = std::thread(&BackgroundSave::Run, this);
    }
    m_changed.notify_all();
}

void BackgroundSave::Flush()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.empty() && !m_bWriting; });
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
        m_bWriting = true;
        lock.unlock();

        SaveResult result{job.file, EnsureDirectory(job.file.parent_path())};
        if (result)
            result = WriteFileAtomically(job.file, job.bytes);
        m_done(result);

        lock.lock();
        m_bWriting = false;
        // A newer buffer may have come back meanwhile; either serves.
        m_spare.try_emplace(job.file, std::move(job.bytes));
        m_changed.notify_all();
    }
}
