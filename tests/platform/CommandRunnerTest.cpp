#include "platform/CommandRunner.h"

#include <gtest/gtest.h>

namespace
{

TEST(CommandRunner, ReportsTheExitStatus)
{
    EXPECT_EQ(RunCommand({"true"}).status, 0);
    EXPECT_EQ(RunCommand({"false"}).status, 1);
    EXPECT_EQ(RunCommand({"sh", "-c", "exit 7"}).status, 7);
}

TEST(CommandRunner, PassesArgumentsWithoutAShell)
{
    // A shell would split, expand and run these; `test` sees them verbatim.
    const std::string tricky = "a b; $(false) `false` 'q' *";
    EXPECT_EQ(RunCommand({"test", tricky, "=", tricky}).status, 0);
}

TEST(CommandRunner, MissingProgramsAreFailuresNotCrashes)
{
    EXPECT_EQ(RunCommand({"vestrel-no-such-program"}).status, -1);
    EXPECT_EQ(RunCommand({}).status, -1);
    EXPECT_FALSE(IsProgramInstalled("vestrel-no-such-program"));
    EXPECT_TRUE(IsProgramInstalled("sh"));
}

TEST(CommandRunner, KeepsStdoutAndDropsStderr)
{
    const CommandResult result = RunCommand({"sh", "-c", "echo out; echo err >&2; exit 3"});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.output, "out\n");
}

} // namespace
