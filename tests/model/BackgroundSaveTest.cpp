// The saving thread: what it writes, in which order, and what it tells.

#include "model/BackgroundSave.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>

namespace
{
namespace fs = std::filesystem;

struct Record
{
    std::array<char, 8> text{};
};

std::vector<std::shared_ptr<Record>> Records(std::initializer_list<const char*> texts)
{
    std::vector<std::shared_ptr<Record>> records;
    for (const char* text : texts)
    {
        auto record = std::make_shared<Record>();
        std::strncpy(record->text.data(), text, record->text.size());
        records.push_back(record);
    }
    return records;
}

std::vector<std::byte> Bytes(const std::string& text)
{
    const auto* first = reinterpret_cast<const std::byte*>(text.data());
    return {first, first + text.size()};
}

// Holds the saving thread in the report of its first file until Release(),
// and notes every report.
class Reports
{
public:
    void Done(const SaveResult& save)
    {
        std::unique_lock lock(m_mutex);
        m_reports.push_back(save);
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_bReleased; });
    }
    void WaitForFirst()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_reports.empty(); });
    }
    void Release()
    {
        std::lock_guard lock(m_mutex);
        m_bReleased = true;
        m_changed.notify_all();
    }
    std::vector<SaveResult> Seen()
    {
        std::lock_guard lock(m_mutex);
        return m_reports;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<SaveResult> m_reports;
    bool m_bReleased = false;
};

std::vector<fs::path> Files(const std::vector<SaveResult>& reports)
{
    std::vector<fs::path> files;
    for (const SaveResult& report : reports)
        files.push_back(report.file.filename());
    return files;
}

} // namespace

TEST(BackgroundSave, FilesSavedAgainWhileWaitingAreWrittenOnceWithTheNewestBytesInOrder)
{
    TempProgramFolder folder;
    const fs::path a = folder.DataDir() / "a.bin"; // the folder is made by the save
    const fs::path b = folder.DataDir() / "b.bin";
    Reports reports;
    {
        BackgroundSave saves([&](const SaveResult& save) { reports.Done(save); });
        saves.Save(a, Bytes("a1"));
        reports.WaitForFirst(); // a1 is written, its thread held
        saves.Save(a, Bytes("a2"));
        saves.Save(b, Bytes("b1"));
        saves.Save(a, Bytes("a3 longer"));
        EXPECT_EQ(folder.ReadFile("Data/a.bin"), Bytes("a1"));
        EXPECT_FALSE(fs::exists(b));
        reports.Release();
        saves.Flush();
        EXPECT_EQ(folder.ReadFile("Data/a.bin"), Bytes("a3 longer"));
        EXPECT_EQ(folder.ReadFile("Data/b.bin"), Bytes("b1"));
        EXPECT_EQ(Files(reports.Seen()), (std::vector<fs::path>{"a.bin", "a.bin", "b.bin"}));

        // Records shrinking into the bytes of a longer save leave no tail.
        saves.SaveRecords(a, Records({"one", "two", "three"}));
        saves.Flush();
        saves.SaveRecords(a, Records({"four"}));
        saves.Flush();
        EXPECT_EQ(folder.ReadFile("Data/a.bin").size(), sizeof(Record));
        EXPECT_EQ(std::memcmp(folder.ReadFile("Data/a.bin").data(), "four", 5), 0);

        // Handed over last, written when the saves end.
        saves.Save(b, Bytes("b2"));
    }
    EXPECT_EQ(folder.ReadFile("Data/b.bin"), Bytes("b2"));
    for (const SaveResult& report : reports.Seen())
        EXPECT_TRUE(report) << report.file << ": " << report.Reason();
}

TEST(BackgroundSave, AFailedSaveIsReportedWithItsErrorAndTheNextOneStillWrites)
{
    TempProgramFolder folder;
    folder.WriteFile("taken", "x", 1); // a file where a folder should be
    std::mutex mutex;
    std::vector<SaveResult> reports;
    BackgroundSave saves(
        [&](const SaveResult& save)
        {
            std::lock_guard lock(mutex);
            reports.push_back(save);
        });
    saves.Save(folder.Path() / "taken" / "a.bin", Bytes("a"));
    saves.Save(folder.Path() / "b.bin", Bytes("b"));
    saves.Flush();
    std::lock_guard lock(mutex);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].error, ENOTDIR);
    EXPECT_EQ(reports[0].file, folder.Path() / "taken" / "a.bin");
    EXPECT_TRUE(reports[1]);
    EXPECT_EQ(folder.ReadFile("taken"), Bytes("x"));
    EXPECT_EQ(folder.ReadFile("b.bin"), Bytes("b"));
}

TEST(BackgroundSave, ALargeFirstSaveGetsItsBufferFromTheSavingThreadAndCopiesTheRecordsAsTheyAreThen)
{
    struct Megabyte
    {
        std::array<char, 1 << 20> bytes;
    };
    constexpr std::size_t kCount = BackgroundSave::kPrepareFrom / sizeof(Megabyte) + 8;
    std::vector<std::shared_ptr<Megabyte>> records;
    for (std::size_t i = 0; i < kCount; ++i)
    {
        records.push_back(std::make_shared<Megabyte>());
        records.back()->bytes.fill('o');
    }
    TempProgramFolder folder;
    const fs::path file = folder.Path() / "large.bin";
    std::mutex mutex;
    std::condition_variable changed;
    int prepared = 0;
    BackgroundSave saves([](const SaveResult& save) { EXPECT_TRUE(save) << save.Reason(); },
                         [&]
                         {
                             std::lock_guard lock(mutex);
                             ++prepared;
                             changed.notify_all();
                         });
    const auto firstByteAndSize = [&]
    {
        const auto bytes = folder.ReadFile("large.bin");
        return std::pair(bytes.empty() ? '\0' : static_cast<char>(bytes[0]), bytes.size());
    };

    saves.SaveRecords(file, records);
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(30), [&] { return prepared == 1; }));
    }
    EXPECT_FALSE(fs::exists(file)); // nothing is copied before FillPrepared
    // An edit and a record more after the save was asked for: both are saved.
    records[0]->bytes.fill('n');
    records.push_back(std::make_shared<Megabyte>());
    saves.FillPrepared();
    saves.Flush();
    EXPECT_EQ(firstByteAndSize(), std::pair('n', (kCount + 1) * sizeof(Megabyte)));

    // The next save fills that buffer again at once; Flush alone completes it.
    records[0]->bytes.fill('m');
    saves.SaveRecords(file, records);
    saves.Flush();
    EXPECT_EQ(firstByteAndSize(), std::pair('m', (kCount + 1) * sizeof(Megabyte)));
    EXPECT_EQ(prepared, 1);
}
