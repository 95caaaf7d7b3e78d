#include "model/DataFolderLock.h"
#include "macros/MacroLibrary.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Outcome = DataFolderLock::Outcome;

TEST(DataFolderLock, TheProgramHoldsTheFolderAgainstCommandsAndASecondCopy)
{
    TempProgramFolder dir;
    {
        DataFolderLock program;
        ASSERT_EQ(program.LockForProgram(dir.DataDir()), Outcome::Locked);
        EXPECT_TRUE(fs::is_regular_file(dir.DataDir() / DataFolderLock::kFileName));
        DataFolderLock second;
        EXPECT_EQ(second.LockForProgram(dir.DataDir()), Outcome::ProgramRunning);
        DataFolderLock command;
        EXPECT_EQ(command.LockForCommand(dir.DataDir()), Outcome::ProgramRunning);
    }
    DataFolderLock command;
    EXPECT_EQ(command.LockForCommand(dir.DataDir()), Outcome::Locked);

    // A folder that cannot be made: nobody can write there.
    dir.WriteFile("plain", "x", 1);
    DataFolderLock nowhere;
    EXPECT_EQ(nowhere.LockForCommand(dir.Path() / "plain" / "Data"), Outcome::Unavailable);
    EXPECT_NE(nowhere.Error(), 0);
}

namespace
{

int CountOwn(const MacroLibrary& library, const std::u16string& prefix)
{
    int own = 0;
    for (const auto& macro : library)
        if (NameFromField(macro->szMacroName).starts_with(prefix))
            ++own;
    return own;
}

// One writer: under the lock, reads the library, appends its next macro
// "w<id>-<n>" and saves, forever. It counts n itself from where the file
// stood when it started, so a save of the other writer that dropped one of
// its macros leaves a gap.
[[noreturn]] void AppendForever(const fs::path& dataDir, int id)
{
    const std::u16string prefix = u"w" + std::u16string(1, char16_t(u'0' + id)) + u"-";
    int next = -1;
    for (;;)
    {
        DataFolderLock lock;
        if (lock.LockForCommand(dataDir) != Outcome::Locked)
            ::_exit(2);
        MacroLibrary library;
        if (!LoadMacroLibrary(library, dataDir).Empty())
            ::_exit(3);
        if (next < 0)
            next = CountOwn(library, prefix);
        const std::string n = std::to_string(next);
        AppendMacro(library, u"f", prefix + std::u16string(n.begin(), n.end()));
        if (!SaveMacroLibrary(library, dataDir))
            ::_exit(4);
        ++next;
    }
}

pid_t StartWriter(const fs::path& dataDir, int id)
{
    const pid_t child = ::fork();
    if (child == 0)
        AppendForever(dataDir, id);
    return child;
}

} // namespace

TEST(DataFolderLock, TwoWritersKilledAtRandomNeverTearOrLoseAFile)
{
    TempProgramFolder dir;
    std::mt19937 random(20261208);
    pid_t writers[2] = {StartWriter(dir.DataDir(), 0), StartWriter(dir.DataDir(), 1)};
    // A failed assertion must not leave a writer running (and ctest waiting on it).
    struct KillOnExit
    {
        pid_t* writers;
        ~KillOnExit()
        {
            for (int i = 0; i < 2; ++i)
                if (writers[i] > 0 && ::kill(writers[i], SIGKILL) == 0)
                    ::waitpid(writers[i], nullptr, 0);
        }
    } killOnExit{writers};
    ASSERT_GT(writers[0], 0);
    ASSERT_GT(writers[1], 0);
    for (int round = 0; round < 40; ++round)
    {
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 15000)(random));
        const int id = static_cast<int>(random() % 2);
        ::kill(writers[id], SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(writers[id], &status, 0), writers[id]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "writer " << id << " gave up: " << WEXITSTATUS(status);
        writers[id] = StartWriter(dir.DataDir(), id);
        ASSERT_GT(writers[id], 0);
    }
    for (pid_t& writer : writers)
    {
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        writer = 0;
    }

    // Whole records only, and each writer's macros numbered without a gap:
    // no save ever lost what the other one had written.
    MacroLibrary library;
    EXPECT_TRUE(LoadMacroLibrary(library, dir.DataDir(), DataAccess::ReadOnly).Empty());
    EXPECT_GT(library.size(), 2u);
    int next[2] = {0, 0};
    for (const auto& macro : library)
    {
        const std::u16string name = NameFromField(macro->szMacroName);
        ASSERT_GE(name.size(), 4u);
        const int id = name[1] - u'0';
        ASSERT_TRUE(id == 0 || id == 1);
        const std::string n = std::to_string(next[id]++);
        ASSERT_EQ(name.substr(3), std::u16string(n.begin(), n.end()));
    }
}
