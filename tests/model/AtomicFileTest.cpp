#include "model/AtomicFile.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesWholeFileAndLeavesNoTemporary)
{
    TempProgramFolder dir;
    fs::path p = dir.Path() / "x.bin";
    std::vector<std::byte> first(100, std::byte{1});
    std::vector<std::byte> second(10, std::byte{2});
    ASSERT_TRUE(WriteFileAtomically(p, first));
    ASSERT_TRUE(WriteFileAtomically(p, second));
    EXPECT_EQ(*ReadWholeFile(p), second);
    EXPECT_FALSE(fs::exists(dir.Path() / "x.bin.tmp"));

    ASSERT_TRUE(WriteFileAtomically(p, {}));
    EXPECT_TRUE(ReadWholeFile(p)->empty());
}

TEST(AtomicFile, FailedWriteKeepsTheOldFile)
{
    TempProgramFolder dir;
    fs::path p = dir.Path() / "keep.bin";
    std::vector<std::byte> old(5, std::byte{7});
    ASSERT_TRUE(WriteFileAtomically(p, old));
    // The temporary name is taken by a directory, so the write cannot start.
    fs::create_directory(dir.Path() / "keep.bin.tmp");
    std::vector<std::byte> fresh(5, std::byte{9});
    EXPECT_FALSE(WriteFileAtomically(p, fresh));
    EXPECT_EQ(*ReadWholeFile(p), old);
}

TEST(AtomicFile, PiecesAreWrittenInOrder)
{
    TempProgramFolder dir;
    fs::path p = dir.Path() / "pieces.bin";
    std::vector<std::byte> a(3, std::byte{1}), b, c(2, std::byte{3});
    std::span<const std::byte> pieces[] = {a, b, c};
    ASSERT_TRUE(WritePiecesAtomically(p, pieces));
    std::vector<std::byte> joined = a;
    joined.insert(joined.end(), c.begin(), c.end());
    EXPECT_EQ(*ReadWholeFile(p), joined);
}

TEST(AtomicFile, MissingOrDirectoryReadsAsNothing)
{
    TempProgramFolder dir;
    EXPECT_FALSE(ReadWholeFile(dir.Path() / "absent").has_value());
    EXPECT_FALSE(ReadWholeFile(dir.Path()).has_value());
}
