// One copy per user: the lock, and a later copy bringing the first one forward.

#include "platform/SingleInstance.h"
#include "platform/ProgramFolder.h"
#include "tests/support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>

TEST(SingleInstanceTest, ASecondCopyFindsTheLockAndMakesTheFirstShowItself)
{
    TempProgramFolder folder;
    const QString where = QString::fromStdString(folder.Path().string());
    SingleInstance first(QStringLiteral("Mosue Driver Configure Vestrel"), where);
    ASSERT_TRUE(first.TryLock());
    int shown = 0;
    ASSERT_TRUE(first.Listen([&shown] { ++shown; }));

    SingleInstance second(QStringLiteral("Mosue Driver Configure Vestrel"), where);
    EXPECT_FALSE(second.TryLock());
    std::atomic<int> answered{-1};
    std::thread asker([&] { answered = second.AskFirstToShow() ? 1 : 0; });
    while (answered < 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    asker.join();
    EXPECT_EQ(answered, 1);
    // The request is handled after the answer went out.
    for (int i = 0; i < 100 && shown == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_EQ(shown, 1);

    // Another name is another program.
    SingleInstance other(QStringLiteral("Some Other Program"), where);
    EXPECT_TRUE(other.TryLock());
}

// Showing the window may open the no-device message, whose nested loop runs
// on long after the later copy hung up: the later copy is answered before it,
// and the first copy survives the connection going away meanwhile.
TEST(SingleInstanceTest, AnswersBeforeALongRequestAndOutlivesTheConnection)
{
    TempProgramFolder folder;
    const QString where = QString::fromStdString(folder.Path().string());
    SingleInstance first(QStringLiteral("Mosue Driver Configure Vestrel"), where);
    ASSERT_TRUE(first.TryLock());
    std::atomic<int> answered{-1};
    int requests = 0;
    ASSERT_TRUE(first.Listen(
        [&]
        {
            ++requests;
            QEventLoop nested; // the message, closed long after the asker is gone
            while (answered < 0)
                nested.processEvents(QEventLoop::WaitForMoreEvents, 20);
            for (int i = 0; i < 20; ++i)
                nested.processEvents(QEventLoop::AllEvents, 10);
        }));

    for (int round = 0; round < 3; ++round)
    {
        answered = -1;
        SingleInstance second(QStringLiteral("Mosue Driver Configure Vestrel"), where);
        std::thread asker([&] { answered = second.AskFirstToShow(2000) ? 1 : 0; });
        while (answered < 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        asker.join();
        EXPECT_EQ(answered, 1) << "round " << round;
        for (int i = 0; i < 100 && requests == round; ++i)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    EXPECT_EQ(requests, 3);
}

TEST(SingleInstanceTest, NoFirstCopyToAsk)
{
    TempProgramFolder folder;
    SingleInstance lone(QStringLiteral("Mosue Driver Configure Vestrel"),
                        QString::fromStdString(folder.Path().string()));
    EXPECT_FALSE(lone.AskFirstToShow(200));
}

TEST(ProgramFolderTest, DataFolderBesideAWritableProgramOtherwisePerUser)
{
    TempProgramFolder folder;
    EXPECT_EQ(ChooseDataFolder(folder.Path(), "/xdg", "/home/u"), folder.Path() / "Data");
    const std::filesystem::path readOnly = "/nonexistent-vestrel/program";
    EXPECT_EQ(ChooseDataFolder(readOnly, "/xdg", "/home/u"), "/xdg/vestrel/Data");
    EXPECT_EQ(ChooseDataFolder(readOnly, nullptr, "/home/u"), "/home/u/.local/share/vestrel/Data");
    EXPECT_EQ(ChooseDataFolder(readOnly, "relative", "/home/u"),
              "/home/u/.local/share/vestrel/Data");
    EXPECT_TRUE(std::filesystem::exists(RunningProgramFolder()));
}

TEST(ProgramFolderTest, RuntimeFolderIsPrivateOrNone)
{
    TempProgramFolder folder;
    const std::filesystem::path root = folder.Path();
    const std::filesystem::path own = root / ("vestrel-" + std::to_string(::getuid()));
    const std::filesystem::path xdg = root / "xdg";
    std::filesystem::create_directory(xdg);

    // An open $XDG_RUNTIME_DIR, or none, falls back to a private folder made for us.
    std::filesystem::permissions(xdg, std::filesystem::perms(0755));
    EXPECT_EQ(ChoosePrivateRuntimeFolder(xdg.c_str(), root), own);
    EXPECT_EQ(std::filesystem::status(own).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    std::filesystem::permissions(xdg, std::filesystem::perms(0700));
    EXPECT_EQ(ChoosePrivateRuntimeFolder(xdg.c_str(), root), xdg);
    EXPECT_EQ(ChoosePrivateRuntimeFolder(nullptr, root), own);

    // A fallback name someone else prepared (open to others, or a link) is refused.
    std::filesystem::permissions(own, std::filesystem::perms(0777));
    EXPECT_TRUE(ChoosePrivateRuntimeFolder(nullptr, root).empty());
    std::filesystem::remove(own);
    std::filesystem::create_directory_symlink(xdg, own);
    EXPECT_TRUE(ChoosePrivateRuntimeFolder(nullptr, root).empty());
}
