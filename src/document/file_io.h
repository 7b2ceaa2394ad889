// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonolog {

// The system calls a save goes through, on the C library's file descriptors; tests replace one of
// them to make a save fail. Chosen for the system at compile time: POSIX (macOS syncing with
// F_FULLFSYNC, as its fsync leaves the data in the drive's cache) or Windows.
struct FileOps {
    std::function<std::ptrdiff_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(const char* from, const char* to)> rename;

    static FileOps system();
};

// What a file on disk is: where it lives, its size and modification time, and a hash of its bytes.
// Two identities that differ tell that the file was replaced or written since; the hash tells
// whether its bytes changed too, when only its time did.
struct FileIdentity {
    bool known = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // nanoseconds since the epoch
    std::uint64_t hash = 0;      // of the bytes; 0 when not taken

    // The same file, as far as the system tells without reading it.
    bool sameStatus(const FileIdentity& other) const {
        return known && other.known && device == other.device && inode == other.inode && size == other.size &&
               modifiedNs == other.modifiedNs;
    }
};

// The hash of bytes given piece by piece: the same for the same bytes however they are cut.
class ContentHash {
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;
    void add(std::string_view bytes);
    std::uint64_t value() const;

private:
    void* state_;
};
std::uint64_t hashOf(std::string_view bytes);

// The identity of the file at path (a link followed), without its hash; nullopt when there is none.
std::optional<FileIdentity> identityOf(const std::string& path);

// Whether a replaced file keeps its permission bits or becomes private to its owner (an export of
// health data, whatever the file it replaces allowed).
enum class Permissions { keepExisting, ownerOnly };

// Replaces the file at path with the bytes, atomically: a temporary file in the same directory
// is written, synced and renamed over the target, then the directory is synced. A symbolic link
// is followed, so its target is updated and the link kept. An existing file keeps its permission
// bits and, where the user may set it, its group; a new one is readable and writable by its owner
// only. A link that another user placed in a folder that everyone may write to (a shared sticky
// folder such as /tmp) is not followed: the write fails, as the system's protection of such links
// would have it. On failure the old file is untouched, no temporary file is left, and the reason
// is returned in plain words.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes,
                                               const FileOps& ops = FileOps::system(),
                                               Permissions permissions = Permissions::keepExisting);

// What a file is to hold, given piece by piece to `put`, which says whether the piece was
// written; the content stops at the first piece that was not and returns false.
using PieceSink = std::function<bool(std::string_view piece)>;
using FileContent = std::function<bool(const PieceSink& put)>;

// The same, with content made while it is written, so that no copy of the whole file need be
// held in memory. `written`, when given, receives the identity of the new file, with its hash.
std::optional<std::string> writeFileAtomicallyFrom(const std::string& path, const FileContent& content,
                                                   const FileOps& ops = FileOps::system(),
                                                   Permissions permissions = Permissions::keepExisting,
                                                   FileIdentity* written = nullptr);

// For the implementations of the atomic write: the sink that writes each piece whole through
// `ops.write` to `fd` (retrying a write a signal cut short), adding it to `hash` when that holds
// one. The first failure keeps its errno (EIO for a write of nothing) in `writeError`.
PieceSink writingSink(const FileOps& ops, int fd, std::optional<ContentHash>& hash, int& writeError);

// No diary comes near this size; a larger file is not read.
inline constexpr std::size_t maxDiaryFileSize = std::size_t{256} << 20;

// Reads the whole of a regular file; nullopt when it cannot be opened or read (no permission, a
// directory, a FIFO, a device or a socket, which are no diaries and could block or never end),
// or when it is larger than maxDiaryFileSize. The reason, in plain words, goes to `reason`.
std::optional<std::string> readWholeFile(const std::string& path, std::string* reason = nullptr,
                                         FileIdentity* identity = nullptr);

// The same reading, the file handed to `take` in pieces of up to 64 KB as they are read, so that
// no copy of the whole file need be held; `take` stops the reading by returning false. `size`
// holds the file's size before the first piece. `identity`, when given, receives the file's
// identity, with the hash of the bytes read when the whole file was. False when the file cannot
// be read, for the same reasons; pieces may have been taken before a failure.
bool readFileInPieces(const std::string& path, const PieceSink& take, std::string* reason = nullptr,
                      std::size_t* size = nullptr, FileIdentity* identity = nullptr);

// The temporary file of an atomic write of "<dir>/<name>" is "<dir>/.<name>.tonolog-XXXXXX".
inline constexpr std::string_view temporaryMarker = ".tonolog-";

// Removes the temporary files that interrupted atomic writes of the file at `path` (a link is
// followed to the file really written) left beside it, when they belong to this user and are
// older than `olderThan` (seconds since the epoch). `unmarkedToo` also takes ".<name>.XXXXXX",
// the pattern of earlier versions, for a directory that holds nothing else of the user's (the
// backup's). `olderThanNs` is in nanoseconds since the epoch, so that a temporary of a run that
// ended in the same second as this one started still goes. Returns how many went.
int removeStaleTemporaries(const std::string& path, std::int64_t olderThanNs, bool unmarkedToo = false);

// When this process started, in nanoseconds since the epoch.
std::int64_t processStartTime();

// The regular files of the folder whose names start with the prefix and end with the suffix, the
// newest first (by modification time, then by name).
std::vector<std::string> filesNamedLike(const std::string& folder, std::string_view prefix,
                                        std::string_view suffix);

// Deletes a file; a failure (no such file) is ignored.
void deleteFileQuietly(const std::string& path);

bool fileExists(const std::string& path);

} // namespace tonolog
