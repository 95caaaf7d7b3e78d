// One copy per user: the lock, and a later copy bringing the first one forward.

#include "platform/SingleInstance.h"
#include "platform/ProgramFolder.h"
#include "tests/support/TempProgramFolder.h"

#include <QCoreApplication>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

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
    EXPECT_EQ(shown, 1);

    // Another name is another program.
    SingleInstance other(QStringLiteral("Some Other Program"), where);
    EXPECT_TRUE(other.TryLock());
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
