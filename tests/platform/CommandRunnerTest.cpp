#include "platform/CommandRunner.h"

#include <gtest/gtest.h>

namespace
{

TEST(CommandRunner, ReportsTheExitStatus)
{
    EXPECT_EQ(RunCommand({"true"}), 0);
    EXPECT_EQ(RunCommand({"false"}), 1);
    EXPECT_EQ(RunCommand({"sh", "-c", "exit 7"}), 7);
}

TEST(CommandRunner, PassesArgumentsWithoutAShell)
{
    // A shell would split, expand and run these; `test` sees them verbatim.
    const std::string tricky = "a b; $(false) `false` 'q' *";
    EXPECT_EQ(RunCommand({"test", tricky, "=", tricky}), 0);
}

TEST(CommandRunner, MissingProgramsAreFailuresNotCrashes)
{
    EXPECT_EQ(RunCommand({"vestrel-no-such-program"}), -1);
    EXPECT_EQ(RunCommand({}), -1);
}

} // namespace
