// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_io.h"

#include "words.h"

// The file seam on POSIX systems (Linux, macOS and the other Unix systems).

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonolog {

namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A link in a folder that everyone may write to and that only owners may delete from (a sticky
// folder such as /tmp) that belongs neither to this user nor to the folder's owner: another user
// may have placed it there to have a file of ours replaced. The system refuses to follow such
// links where its protection of them is on; a save does not follow them anywhere.
bool isPlantedLink(const std::string& link, const struct stat& linkStatus) {
    struct stat folder {};
    if (::stat(directoryOf(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && linkStatus.st_uid != ::geteuid() && linkStatus.st_uid != folder.st_uid;
}

const char* const plantedLinkReason = QT_TRANSLATE_NOOP(
    "Tonolog", "It is a symbolic link that another user made in a folder shared by everyone; "
               "it is not followed, so that no other file is replaced through it.");

// Follows a chain of symbolic links to the file that is really written; `planted` tells when one
// of them was placed by another user in a shared folder (the path returned is that link).
std::string resolveLinks(std::string path, bool* planted = nullptr) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        if (planted != nullptr && isPlantedLink(path, st)) {
            *planted = true;
            return path;
        }
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
            return path;
        std::string target(buffer.data(), static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : directoryOf(path) + "/" + target;
    }
    return path;
}

std::string reasonFor(int error) {
    return std::strerror(error);
}

std::int64_t modifiedNsOf(const struct stat& st) {
#if defined(__APPLE__)
    return static_cast<std::int64_t>(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
#else
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#endif
}

FileIdentity identityFrom(const struct stat& st) {
    FileIdentity identity;
    identity.known = true;
    identity.device = static_cast<std::uint64_t>(st.st_dev);
    identity.inode = static_cast<std::uint64_t>(st.st_ino);
    identity.size = static_cast<std::uint64_t>(st.st_size);
    identity.modifiedNs = modifiedNsOf(st);
    return identity;
}

} // namespace

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return identityFrom(st);
}

FileOps FileOps::system() {
    FileOps ops;
    ops.write = [](int fd, const void* data, std::size_t size) -> std::ptrdiff_t {
        return ::write(fd, data, size);
    };
    ops.fsync = [](int fd) {
#if defined(__APPLE__)
        // fsync leaves the data in the drive's cache; F_FULLFSYNC has the drive write it.
        if (::fcntl(fd, F_FULLFSYNC) == 0)
            return 0;
#endif
        return ::fsync(fd);
    };
    ops.rename = [](const char* from, const char* to) { return ::rename(from, to); };
    return ops;
}

std::optional<std::string> writeFileAtomicallyFrom(const std::string& path, const FileContent& content,
                                                   const FileOps& ops, Permissions permissions,
                                                   FileIdentity* written) {
    bool planted = false;
    const std::string target = resolveLinks(path, &planted);
    if (planted)
        return translated(plantedLinkReason);
    const std::string directory = directoryOf(target);

    // A link that leads nowhere final (a loop) would be replaced by a regular file.
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return reasonFor(ELOOP);
    mode_t mode = S_IRUSR | S_IWUSR;
    bool replacing = false;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        replacing = true;
        if (S_ISDIR(existing.st_mode))
            return reasonFor(EISDIR);
        if (!S_ISREG(existing.st_mode))
            return translated(QT_TRANSLATE_NOOP("Tonolog", "It is not a regular file."));
        // The rename would replace a file the user may not write: a read-only diary stays as it is.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return reasonFor(errno);
        if (permissions == Permissions::keepExisting)
            mode = existing.st_mode & 07777;
    }

    std::string temporary = directory + "/." + baseNameOf(target) + std::string(temporaryMarker) + "XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return reasonFor(errno);

    auto fail = [&](int error) -> std::optional<std::string> {
        ::close(fd);
        ::unlink(temporary.c_str());
        return reasonFor(error);
    };

    // A diary shared through a group keeps its group, where this user may give it that group (a
    // member of it); otherwise the new file has the user's own group, as any new file would.
    if (replacing && permissions == Permissions::keepExisting && existing.st_gid != ::getegid())
        [[maybe_unused]]
        const int kept = ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    if (::fchmod(fd, mode) != 0)
        return fail(errno);
    int writeError = 0;
    std::optional<ContentHash> hash;
    if (written != nullptr)
        hash.emplace();
    const PieceSink put = writingSink(ops, fd, hash, writeError);
    if (!content(put))
        return fail(writeError != 0 ? writeError : EIO);
    if (ops.fsync(fd) != 0)
        return fail(errno);
    struct stat made {};
    if (written != nullptr && ::fstat(fd, &made) == 0) {
        *written = identityFrom(made);
        written->hash = hash->value();
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return reasonFor(error);
    }
    if (ops.rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return reasonFor(error);
    }
    // The rename is only durable once the directory itself is on disk.
    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return std::nullopt;
}

bool readFileInPieces(const std::string& path, const PieceSink& take, std::string* reason, std::size_t* size,
                      FileIdentity* identity) {
    const auto refuse = [reason](const std::string& why) {
        if (reason != nullptr)
            *reason = why;
        return false;
    };
    // Not blocking: a FIFO would otherwise wait for a writer before the open returns.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return refuse(reasonFor(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return refuse(reasonFor(error));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(S_ISDIR(st.st_mode)
                          ? reasonFor(EISDIR)
                          : translated(QT_TRANSLATE_NOOP("Tonolog", "It is not a regular file.")));
    }
    if (static_cast<unsigned long long>(st.st_size) > maxDiaryFileSize) {
        ::close(fd);
        return refuse(translated(
            QT_TRANSLATE_NOOP("Tonolog", "The file is larger than 256 MB, far larger than any diary.")));
    }
    if (size != nullptr)
        *size = static_cast<std::size_t>(st.st_size);
    std::optional<ContentHash> hash;
    if (identity != nullptr) {
        *identity = identityFrom(st);
        hash.emplace();
    }
    char buffer[1 << 16];
    std::size_t total = 0;
    bool whole = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return refuse(reasonFor(error));
        }
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
        // A file that grows while it is read stops at the limit too.
        if (total > maxDiaryFileSize) {
            ::close(fd);
            return refuse(translated(
                QT_TRANSLATE_NOOP("Tonolog", "The file is larger than 256 MB, far larger than any diary.")));
        }
        const std::string_view piece(buffer, static_cast<std::size_t>(n));
        if (hash)
            hash->add(piece);
        if (!take(piece)) {
            whole = false;
            break;
        }
    }
    ::close(fd);
    if (identity != nullptr && whole)
        identity->hash = hash->value();
    return true;
}

int removeStaleTemporaries(const std::string& path, std::int64_t olderThanNs, bool unmarkedToo) {
    const std::string target = resolveLinks(path);
    const std::string directory = directoryOf(target);
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr)
        return 0;
    const std::string marked = "." + baseNameOf(target) + std::string(temporaryMarker);
    const std::string unmarked = "." + baseNameOf(target) + ".";
    // Exactly the pattern mkstemp fills in: the prefix and six characters.
    const auto matches = [](const std::string& name, const std::string& prefix) {
        return name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0;
    };
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!matches(name, marked) && !(unmarkedToo && matches(name, unmarked)))
            continue;
        const std::string file = directory + "/" + name;
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() ||
            modifiedNsOf(st) >= olderThanNs)
            continue;
        if (::unlink(file.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

std::vector<std::string> filesNamedLike(const std::string& folder, std::string_view prefix,
                                        std::string_view suffix) {
    std::vector<std::pair<std::int64_t, std::string>> found;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name.size() < prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
                name.substr(name.size() - suffix.size()) != suffix)
                continue;
            const std::string path = folder + (folder.ends_with('/') ? "" : "/") + std::string(name);
            struct stat st {};
            if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                found.emplace_back(modifiedNsOf(st), path);
        }
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a > b; });
    std::vector<std::string> paths;
    paths.reserve(found.size());
    for (auto& [time, path] : found)
        paths.push_back(std::move(path));
    return paths;
}

void deleteFileQuietly(const std::string& path) {
    ::unlink(path.c_str());
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace tonolog
