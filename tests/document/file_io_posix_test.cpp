// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file seam's rules that only POSIX systems have: permissions, groups, symbolic links, FIFOs
// and devices, and other users.
#include "document/file_io.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

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

TEST(AtomicWrite, NewFileIsPrivate) {
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    EXPECT_EQ(writeFileAtomically(path, "Ann,\r\n"), std::nullopt);
    EXPECT_EQ(modeOf(path), 0600u);
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
