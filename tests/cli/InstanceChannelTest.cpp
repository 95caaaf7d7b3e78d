// The frames vestrelctl and the running program exchange over the
// single-instance socket.

#include "platform/InstanceChannel.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

TEST(InstanceChannel, FramesRoundTripWaitForTheRestAndRefuseStrangers)
{
    const std::vector<std::string> args = {"--program-dir", "/x y", "set", "", "dpi.1=800"};
    const std::string request = EncodeCommandRequest(args);
    std::vector<std::string> decoded;
    ASSERT_EQ(DecodeCommandRequest(request, decoded), Decoded::Complete);
    EXPECT_EQ(decoded, args);
    // Every cut short of the whole frame waits for more.
    for (std::size_t size = 0; size < request.size(); ++size)
        EXPECT_EQ(DecodeCommandRequest(std::string_view(request).substr(0, size), decoded),
                  Decoded::Incomplete)
            << size;
    EXPECT_EQ(DecodeCommandRequest("S", decoded), Decoded::Bad);
    // A length no command line has.
    EXPECT_EQ(DecodeCommandRequest(std::string("C\x01\0\0\0\xff\xff\xff\x7f", 9), decoded),
              Decoded::Bad);

    const CommandAnswer answer{1, "out\n", "vestrelctl: refused\n"};
    CommandAnswer back;
    ASSERT_EQ(DecodeCommandAnswer(EncodeCommandAnswer(answer), back), Decoded::Complete);
    EXPECT_EQ(back.exitCode, 1);
    EXPECT_EQ(back.out, answer.out);
    EXPECT_EQ(back.err, answer.err);
}

TEST(InstanceChannel, NobodyListeningIsNoAnswer)
{
    TempProgramFolder folder;
    EXPECT_FALSE(
        SendCommandToProgram(InstanceSocketPath(folder.Path(), kInstanceName), {"profiles"}));
    // The names stay plain and differ by program name.
    const std::string name = InstanceSocketPath(folder.Path(), kInstanceName).filename().string();
    EXPECT_EQ(name.find(' '), std::string::npos);
    EXPECT_NE(InstanceSocketPath(folder.Path(), "other"),
              InstanceSocketPath(folder.Path(), kInstanceName));
}
