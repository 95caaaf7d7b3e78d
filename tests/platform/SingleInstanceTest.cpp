// One copy per user: the lock, and a later copy bringing the first one forward.

#include "platform/SingleInstance.h"
#include "platform/ProgramFolder.h"
#include "tests/support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr char kName[] = "Mosue Driver Configure Vestrel";

// Runs `ask` on another thread while this one serves the first copy's
// socket, as the first copy's event loop would.
template <typename Ask> auto WhileServing(Ask ask)
{
    std::atomic<bool> done{false};
    decltype(ask()) result{};
    std::thread asker(
        [&]
        {
            result = ask();
            done = true;
        });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    asker.join();
    return result;
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

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
    EXPECT_TRUE(WhileServing([&] { return second.AskFirstToShow(); }));
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

// A copy killed outright leaves its lock file and socket file behind: the
// next start neither waits for it nor trips over them, and afterwards only
// the empty lock file is left.
TEST(SingleInstanceTest, ACopyThatWasKilledDoesNotStopTheNextStart)
{
    TempProgramFolder folder;
    const std::filesystem::path runtime = folder.Path() / "runtime";
    std::filesystem::create_directory(runtime);
    const QString where = QString::fromStdString(runtime.string());
    const std::string socketPath = InstanceSocketPath(runtime, kName).string();
    SingleInstance killed(QString::fromLatin1(kName), where);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        // Only system calls here: the lock, and a socket file nobody will remove.
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool made = killed.TryLock() &&
                          ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                          ::listen(fd, 1) == 0;
        const char byte = made ? '1' : '0';
        (void)!::write(ready[1], &byte, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(byte, '1');
    {
        SingleInstance whileAlive(QString::fromLatin1(kName), where);
        EXPECT_FALSE(whileAlive.TryLock());
    }
    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    ASSERT_TRUE(std::filesystem::exists(socketPath));

    {
        SingleInstance next(QString::fromLatin1(kName), where);
        ASSERT_TRUE(next.TryLock());
        int shown = 0;
        ASSERT_TRUE(next.Listen([&shown] { ++shown; }));
        SingleInstance later(QString::fromLatin1(kName), where);
        EXPECT_TRUE(WhileServing([&] { return later.AskFirstToShow(2000); }));
    }
    const std::filesystem::path lock = InstanceLockPath(runtime, kName);
    EXPECT_EQ(FolderNames(runtime), std::vector<std::string>{lock.filename().string()});
    EXPECT_EQ(std::filesystem::file_size(lock), 0u);
}

// Something else where the lock file belongs is left as it is, and the start
// stops at once instead of blocking on it or following it elsewhere.
TEST(SingleInstanceTest, ALockPathThatIsNoPlainFileIsRefused)
{
    TempProgramFolder folder;
    const QString where = QString::fromStdString(folder.Path().string());
    const std::filesystem::path lock = InstanceLockPath(folder.Path(), kName);

    ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
    SingleInstance onFifo(QString::fromLatin1(kName), where);
    EXPECT_FALSE(onFifo.TryLock());
    EXPECT_FALSE(onFifo.Listen([] {}));
    EXPECT_TRUE(std::filesystem::is_fifo(lock));

    std::filesystem::remove(lock);
    const std::filesystem::path elsewhere = folder.Path() / "elsewhere";
    std::filesystem::create_symlink(elsewhere, lock);
    SingleInstance onLink(QString::fromLatin1(kName), where);
    EXPECT_FALSE(onLink.TryLock());
    EXPECT_FALSE(std::filesystem::exists(elsewhere));
    EXPECT_TRUE(std::filesystem::is_symlink(lock));
}

// Command lines: an answer larger than the socket takes at once arrives
// whole, and a frame that is not ours gets the connection closed.
TEST(SingleInstanceTest, CommandAnswersArriveWholeAndStrangersAreCutOff)
{
    TempProgramFolder folder;
    SingleInstance first(QString::fromLatin1(kName),
                         QString::fromStdString(folder.Path().string()));
    ASSERT_TRUE(first.TryLock());
    ASSERT_TRUE(first.Listen([] {}));
    const std::string big(4u << 20, 'x');
    first.SetCommandHandler([&big](const std::vector<std::string>& args)
                            { return CommandAnswer{3, big + args.at(0), "err"}; });
    const std::filesystem::path socket = InstanceSocketPath(folder.Path(), kName);

    const auto answer = WhileServing([&] { return SendCommandToProgram(socket, {"!"}); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->exitCode, 3);
    EXPECT_EQ(answer->out.size(), big.size() + 1);
    EXPECT_EQ(answer->out.back(), '!');
    EXPECT_EQ(answer->err, "err");

    // No time limit: only the program hanging up ends this wait.
    EXPECT_FALSE(WhileServing(
        [&]
        {
            return ExchangeWithProgram(socket, "Z-not-a-frame", -1,
                                       [](std::string_view) { return Decoded::Complete; });
        }));
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
