#include "document/file_io.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tonolog;

namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(AtomicWrite, NewFileIsPrivateAndComplete) {
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    EXPECT_EQ(writeFileAtomically(path, "Ann,\r\n"), std::nullopt);
    EXPECT_EQ(TempDir::read(path), "Ann,\r\n");
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(AtomicWrite, ExistingFileKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    TempDir::write(path, "old");
    ::chmod(path.c_str(), 0640);
    EXPECT_EQ(writeFileAtomically(path, "new"), std::nullopt);
    EXPECT_EQ(TempDir::read(path), "new");
    EXPECT_EQ(modeOf(path), 0640u);
}

TEST(AtomicWrite, SymbolicLinkIsKeptAndItsTargetUpdated) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    const std::string target = dir.file("real/diary.tnl");
    TempDir::write(target, "old");
    const std::string link = dir.file("link.tnl");
    std::filesystem::create_symlink("real/diary.tnl", link);
    EXPECT_EQ(writeFileAtomically(link, "new"), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::read(target), "new");
}

TEST(AtomicWrite, FailedWriteLeavesOldFileAndNoTemporary) {
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    TempDir::write(path, "the old diary");
    for (std::size_t budget : {std::size_t{0}, std::size_t{3}, std::size_t{4000}}) {
        const std::string bytes(8000, 'x');
        const auto failure = writeFileAtomically(path, bytes, failingWriteAfter(budget));
        ASSERT_TRUE(failure.has_value()) << budget;
        EXPECT_NE(failure->find("space"), std::string::npos) << *failure;
        EXPECT_EQ(TempDir::read(path), "the old diary");
        EXPECT_EQ(dir.entryCount(), 1);
    }
}

TEST(AtomicWrite, FailedSyncOrRenameLeavesOldFile) {
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    TempDir::write(path, "old");
    FileOps badSync = FileOps::system();
    badSync.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    EXPECT_TRUE(writeFileAtomically(path, "new", badSync).has_value());
    FileOps badRename = FileOps::system();
    badRename.rename = [](const char*, const char*) {
        errno = EXDEV;
        return -1;
    };
    EXPECT_TRUE(writeFileAtomically(path, "new", badRename).has_value());
    EXPECT_EQ(TempDir::read(path), "old");
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(AtomicWrite, DirectoryAsTargetOrMissingDirectoryFails) {
    TempDir dir;
    EXPECT_TRUE(writeFileAtomically(dir.path(), "x").has_value());
    EXPECT_TRUE(writeFileAtomically(dir.file("missing/diary.tnl"), "x").has_value());
}

TEST(FileRead, ReadsBytesAndRefusesDirectories) {
    TempDir dir;
    const std::string path = dir.file("bytes");
    const std::string bytes("a\0b\r\n", 5);
    TempDir::write(path, bytes);
    EXPECT_EQ(readWholeFile(path), bytes);
    EXPECT_EQ(readWholeFile(dir.path()), std::nullopt);
    EXPECT_EQ(readWholeFile(dir.file("none")), std::nullopt);
    EXPECT_TRUE(fileExists(path));
    deleteFileQuietly(path);
    deleteFileQuietly(path);
    EXPECT_FALSE(fileExists(path));
}

// These run as an unprivileged user (see run_unprivileged.sh): root ignores permissions.
TEST(UnprivilegedAtomicWrite, ReadOnlyDirectoryFailsAndKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not apply to root";
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    TempDir::write(path, "old");
    ::chmod(dir.path().c_str(), 0500);
    const auto failure = writeFileAtomically(path, "new");
    ::chmod(dir.path().c_str(), 0700);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("ermission"), std::string::npos) << *failure;
    EXPECT_EQ(TempDir::read(path), "old");
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(UnprivilegedFileRead, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not apply to root";
    TempDir dir;
    const std::string path = dir.file("secret.tnl");
    TempDir::write(path, "Ann,\r\n");
    ::chmod(path.c_str(), 0);
    EXPECT_EQ(readWholeFile(path), std::nullopt);
}

TEST(UnprivilegedAtomicWrite, ReadOnlyDiaryIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not apply to root";
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    TempDir::write(path, "old");
    ::chmod(path.c_str(), 0444);
    const auto failure = writeFileAtomically(path, "new");
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("ermission"), std::string::npos) << *failure;
    EXPECT_EQ(TempDir::read(path), "old");
    EXPECT_EQ(dir.entryCount(), 1);
}

// Only regular files are diaries: a FIFO is refused at once instead of waiting for a writer,
// and a device that never ends is not read.
TEST(FileRead, RefusesWhatIsNoRegularFile) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.tnl");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string reason;
    EXPECT_EQ(readWholeFile(fifo, &reason), std::nullopt);
    EXPECT_EQ(reason, "It is not a regular file.");
    EXPECT_EQ(readWholeFile("/dev/zero", &reason), std::nullopt);
    EXPECT_EQ(reason, "It is not a regular file.");
    EXPECT_EQ(readWholeFile(dir.path(), &reason), std::nullopt);
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_TRUE(writeFileAtomically(fifo, "x").has_value());
}

TEST(FileRead, RefusesAFileBeyondAnyDiary) {
    TempDir dir;
    const std::string path = dir.file("huge.tnl");
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(maxDiaryFileSize) + 1), 0); // sparse
        ::close(fd);
    }
    std::string reason;
    EXPECT_EQ(readWholeFile(path, &reason), std::nullopt);
    EXPECT_NE(reason.find("256 MB"), std::string::npos);
}

// A link loop is not replaced by a regular file.
TEST(AtomicWrite, SymlinkLoopIsNotSavedOver) {
    TempDir dir;
    const std::string a = dir.file("a.tnl");
    const std::string b = dir.file("b.tnl");
    ASSERT_EQ(::symlink(b.c_str(), a.c_str()), 0);
    ASSERT_EQ(::symlink(a.c_str(), b.c_str()), 0);
    const auto failure = writeFileAtomically(a, "new");
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("symbolic links"), std::string::npos) << *failure;
    struct stat st {};
    ASSERT_EQ(::lstat(a.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

// The temporaries that interrupted writes leave go: only the program's own pattern, only old ones;
// a user's file that merely looks alike stays.
TEST(StaleTemporaries, OnlyOldFilesOfThePatternGo) {
    TempDir dir;
    for (const char* name : {".bp.tnl.tonolog-ab12CD", ".bp.tnl.old001", ".bp.tnl.tonolog-zz", "bp.tnl",
                             ".other.tonolog-ab12CD"})
        TempDir::write(dir.file(name), "x");
    const std::string diary = dir.file("bp.tnl");
    EXPECT_EQ(removeStaleTemporaries(diary, 0), 0); // none is older than the epoch
    // Times are compared in nanoseconds: a temporary written a moment before this start goes
    // even in the same second.
    EXPECT_EQ(removeStaleTemporaries(diary, identityOf(dir.file("bp.tnl"))->modifiedNs + 1000), 1);
    EXPECT_FALSE(fileExists(dir.file(".bp.tnl.tonolog-ab12CD")));
    EXPECT_TRUE(fileExists(dir.file(".bp.tnl.old001")));
    // The backup's own directory also loses the unmarked pattern of earlier versions.
    EXPECT_EQ(removeStaleTemporaries(diary, processStartTime() + std::int64_t{10} * 1000000000, true), 1);
    EXPECT_EQ(dir.entryCount(), 3);
}

// What a write tells of the new file is what a later read finds, so a change by another program
// shows and a file merely touched does not.
TEST(FileIdentity, WrittenAndReadAgree) {
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    FileIdentity written;
    const auto pieces = [](const PieceSink& put) { return put("Ann,\r\n") && put("Jan./05/2004,1,\r\n"); };
    ASSERT_EQ(writeFileAtomicallyFrom(path, pieces, FileOps::system(), Permissions::keepExisting, &written),
              std::nullopt);
    FileIdentity read;
    ASSERT_TRUE(readWholeFile(path, nullptr, &read));
    EXPECT_TRUE(read.sameStatus(written));
    EXPECT_EQ(read.hash, written.hash);
    EXPECT_EQ(read.hash, hashOf("Ann,\r\nJan./05/2004,1,\r\n"));
}

// A link that another user placed in a folder everyone may write to is not followed; the file it
// points to, the user's own, stays as it was. (Root can make a link another user's.)
TEST(AtomicWrite, APlantedLinkInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a link to another user";
    TempDir dir;
    const std::string own = dir.file("own.tnl");
    TempDir::write(own, "the owner's diary");
    const std::string shared = dir.file("shared");
    ASSERT_EQ(::mkdir(shared.c_str(), 01777), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string link = shared + "/diary.tnl";
    ASSERT_EQ(::symlink(own.c_str(), link.c_str()), 0);
    ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
    const auto failure = writeFileAtomically(link, "replaced");
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("another user"), std::string::npos) << *failure;
    EXPECT_EQ(TempDir::read(own), "the owner's diary");
}

// A diary shared through a group keeps its group and its mode when it is saved.
TEST(AtomicWrite, AReplacedFileKeepsItsGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file another group";
    TempDir dir;
    const std::string path = dir.file("family.tnl");
    TempDir::write(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 0, 65534), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0660), 0);
    ASSERT_EQ(writeFileAtomically(path, "new"), std::nullopt);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0660u);
}
