// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/file_io.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

// The file seam on every system; what only POSIX systems have (permissions, links, FIFOs, other
// users) is in file_io_posix_test.cpp.
using namespace tonolog;

TEST(AtomicWrite, NewFileIsComplete) {
    TempDir dir;
    const std::string path = dir.file("diary.tnl");
    EXPECT_EQ(writeFileAtomically(path, "Ann,\r\n"), std::nullopt);
    EXPECT_EQ(TempDir::read(path), "Ann,\r\n");
    EXPECT_EQ(dir.entryCount(), 1);
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

TEST(FileRead, RefusesAFileBeyondAnyDiary) {
    TempDir dir;
    const std::string path = dir.file("huge.tnl");
    TempDir::write(path, "");
    std::filesystem::resize_file(std::filesystem::u8path(path), maxDiaryFileSize + 1); // sparse
    std::string reason;
    EXPECT_EQ(readWholeFile(path, &reason), std::nullopt);
    EXPECT_NE(reason.find("256 MB"), std::string::npos);
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
