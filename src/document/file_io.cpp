// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_io.h"

#include <cerrno>

#include <chrono>

// xxHash as a header of inline functions: nothing to link, on any system.
#define XXH_INLINE_ALL
#include <xxhash.h>

// What every system shares of the file seam: the hash, the whole-file helpers and the start time.
// The system calls themselves are in file_io_posix.cpp and file_io_windows.cpp.
namespace tonolog {

namespace {

const std::int64_t startedAt =
    std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();

} // namespace

ContentHash::ContentHash() : state_(XXH3_createState()) {
    XXH3_64bits_reset(static_cast<XXH3_state_t*>(state_));
}

ContentHash::~ContentHash() {
    XXH3_freeState(static_cast<XXH3_state_t*>(state_));
}

void ContentHash::add(std::string_view bytes) {
    XXH3_64bits_update(static_cast<XXH3_state_t*>(state_), bytes.data(), bytes.size());
}

std::uint64_t ContentHash::value() const {
    return XXH3_64bits_digest(static_cast<const XXH3_state_t*>(state_));
}

std::uint64_t hashOf(std::string_view bytes) {
    return XXH3_64bits(bytes.data(), bytes.size());
}

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes,
                                               const FileOps& ops, Permissions permissions) {
    return writeFileAtomicallyFrom(
        path, [bytes](const PieceSink& put) { return put(bytes); }, ops, permissions);
}

std::optional<std::string> readWholeFile(const std::string& path, std::string* reason,
                                         FileIdentity* identity) {
    std::string content;
    std::size_t size = 0;
    const auto take = [&](std::string_view piece) {
        if (content.empty())
            content.reserve(size);
        content.append(piece);
        return true;
    };
    if (!readFileInPieces(path, take, reason, &size, identity))
        return std::nullopt;
    return content;
}

std::int64_t processStartTime() {
    return startedAt;
}

PieceSink writingSink(const FileOps& ops, int fd, std::optional<ContentHash>& hash, int& writeError) {
    return [&ops, fd, &hash, &writeError](std::string_view bytes) {
        if (hash)
            hash->add(bytes);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::ptrdiff_t n = ops.write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                writeError = n < 0 ? errno : EIO;
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    };
}

} // namespace tonolog
