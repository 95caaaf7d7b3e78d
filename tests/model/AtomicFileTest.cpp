#include "model/AtomicFile.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

constexpr std::size_t kCap = 1 << 20;

std::vector<fs::path> Listing(const fs::path& dir)
{
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const fs::path& path)
{
    struct stat st
    {
    };
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

} // namespace

TEST(AtomicFile, ReplacesWholeFileAndLeavesNoTemporary)
{
    TempProgramFolder dir;
    const fs::path folder = dir.Path() / "d";
    fs::create_directory(folder);
    fs::path p = folder / "x.bin";
    std::vector<std::byte> first(100, std::byte{1});
    std::vector<std::byte> second(10, std::byte{2});
    ASSERT_TRUE(WriteFileAtomically(p, first));
    ASSERT_TRUE(WriteFileAtomically(p, second));
    EXPECT_EQ(*ReadWholeFile(p, kCap), second);
    EXPECT_EQ(Listing(folder), std::vector<fs::path>{"x.bin"});

    ASSERT_TRUE(WriteFileAtomically(p, {}));
    EXPECT_TRUE(ReadWholeFile(p, kCap)->empty());
}

TEST(AtomicFile, StaleTemporariesNeverBlockASaveAndAFailedOneKeepsTheOldFile)
{
    TempProgramFolder dir;
    fs::path p = dir.Path() / "keep.bin";
    std::vector<std::byte> old(5, std::byte{7});
    ASSERT_TRUE(WriteFileAtomically(p, old));
    // What a killed writer of another user may leave: the old fixed name,
    // a folder, a file nobody may write.
    fs::create_directory(dir.Path() / "keep.bin.tmp");
    dir.WriteFile("keep.bin.tmp-AAAAAA", "x", 1);
    fs::permissions(dir.Path() / "keep.bin.tmp-AAAAAA", fs::perms::none);
    std::vector<std::byte> fresh(5, std::byte{9});
    EXPECT_TRUE(WriteFileAtomically(p, fresh));
    EXPECT_EQ(*ReadWholeFile(p, kCap), fresh);

    // A folder in the file's place cannot be replaced: reported, left as it is.
    const fs::path taken = dir.Path() / "taken";
    fs::create_directory(taken);
    const SaveResult failed = WriteFileAtomically(taken, fresh);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.file, taken);
    EXPECT_NE(failed.error, 0);
    EXPECT_FALSE(failed.Reason().empty());
    EXPECT_TRUE(fs::is_directory(taken));
    const std::vector<fs::path> expected = {
        "Data.ini", "keep.bin", "keep.bin.tmp", "keep.bin.tmp-AAAAAA", "res", "taken"};
    EXPECT_EQ(Listing(dir.Path()), expected); // no temporary of its own left behind

    // The holder of the folder's lock clears what died mid-save, only that.
    dir.WriteFile("keep.bin.tmp-BBBBBB", "x", 1);
    dir.WriteFile("keep.bin.tmp-notmine", "x", 1);
    RemoveStaleTemporaries(p);
    const std::vector<fs::path> cleared = {
        "Data.ini", "keep.bin", "keep.bin.tmp", "keep.bin.tmp-notmine", "res", "taken"};
    EXPECT_EQ(Listing(dir.Path()), cleared);
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
    EXPECT_EQ(*ReadWholeFile(p, kCap), joined);
}

TEST(AtomicFile, NewFilesAndFoldersArePrivateAndReplacedOnesKeepModeOwnerAndLink)
{
    TempProgramFolder dir;
    const fs::path folder = dir.Path() / "a" / "b";
    ASSERT_EQ(EnsureDirectory(folder), 0);
    EXPECT_EQ(Mode(dir.Path() / "a"), 0700u);
    EXPECT_EQ(Mode(folder), 0700u);
    const std::vector<std::byte> bytes(4, std::byte{5});
    ASSERT_TRUE(WriteFileAtomically(folder / "new.bin", bytes));
    EXPECT_EQ(Mode(folder / "new.bin"), 0600u);

    // The user's own choice of mode, and (as root can keep it) another owner.
    const fs::path shared = folder / "shared.bin";
    ASSERT_TRUE(WriteFileAtomically(shared, bytes));
    ::chmod(shared.c_str(), 0640);
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(shared.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteFileAtomically(shared, {}));
    EXPECT_EQ(Mode(shared), 0640u);
    struct stat st
    {
    };
    ::stat(shared.c_str(), &st);
    if (::geteuid() == 0)
        EXPECT_EQ(st.st_uid, 65534u);

    // A symlinked file is replaced at its target; the link stays.
    const fs::path target = dir.Path() / "elsewhere.bin";
    ASSERT_TRUE(WriteFileAtomically(target, bytes));
    fs::create_symlink("../../elsewhere.bin", folder / "linked.bin");
    ASSERT_TRUE(WriteFileAtomically(folder / "linked.bin", {}));
    EXPECT_TRUE(fs::is_symlink(folder / "linked.bin"));
    EXPECT_EQ(fs::file_size(target), 0u);

    // A link to a device is never written through: the link itself goes.
    fs::create_symlink("/dev/null", folder / "device.bin");
    ASSERT_TRUE(WriteFileAtomically(folder / "device.bin", bytes));
    EXPECT_FALSE(fs::is_symlink(folder / "device.bin"));
    EXPECT_EQ(fs::file_size(folder / "device.bin"), 4u);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(AtomicFile, BoundedReadsTakeRegularFilesWithinTheCapOnly)
{
    TempProgramFolder dir;
    EXPECT_EQ(ReadFileBounded(dir.Path() / "absent", kCap).status, FileRead::Status::Missing);
    EXPECT_EQ(ReadFileBounded(dir.Path() / "Data.ini" / "x", kCap).status,
              FileRead::Status::Missing);

    auto damage = [&](const fs::path& p, std::size_t cap)
    {
        const FileRead read = ReadFileBounded(p, cap);
        EXPECT_EQ(read.status, FileRead::Status::Damaged) << p;
        EXPECT_TRUE(read.bytes.empty());
        return read.damage;
    };
    EXPECT_EQ(damage(dir.Path(), kCap), DamageKind::NotRegularFile);
    // Neither may block or run on: a FIFO without a writer, an endless device.
    ASSERT_EQ(::mkfifo((dir.Path() / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(damage(dir.Path() / "fifo", kCap), DamageKind::NotRegularFile);
    fs::create_symlink("/dev/zero", dir.Path() / "zero");
    EXPECT_EQ(damage(dir.Path() / "zero", kCap), DamageKind::NotRegularFile);

    const std::vector<char> ten(10, 'x');
    dir.WriteFile("ten", ten.data(), ten.size());
    EXPECT_EQ(ReadFileBounded(dir.Path() / "ten", 10).bytes.size(), 10u);
    EXPECT_EQ(damage(dir.Path() / "ten", 9), DamageKind::TooLarge);
    EXPECT_FALSE(ReadWholeFile(dir.Path() / "ten", 9).has_value());
}

TEST(AtomicFile, AFileTheUserCannotOpenIsDamagedNotMissing)
{
    TempProgramFolder dir;
    const std::vector<char> bytes(8, 'x');
    dir.WriteFile("private", bytes.data(), bytes.size());
    fs::permissions(dir.Path() / "private", fs::perms::owner_read | fs::perms::owner_write);
    // Root reads anything: the reader runs as nobody in a child process.
    if (::geteuid() == 0)
        fs::permissions(dir.Path(), fs::perms::all);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        if (::geteuid() == 0)
            ::_exit(3);
        const FileRead read = ReadFileBounded(dir.Path() / "private", kCap);
        const bool ok = read.status == FileRead::Status::Damaged &&
                        read.damage == DamageKind::Unreadable && read.error == EACCES;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
