#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <ctime>
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

// Follows a chain of symbolic links to the file that is really written.
std::string resolveLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
            return path;
        std::string target(buffer.data(), static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : directoryOf(path) + "/" + target;
    }
    return path;
}

const long long startedAt = static_cast<long long>(std::time(nullptr));

std::string reasonFor(int error) {
    return std::strerror(error);
}

} // namespace

FileOps FileOps::system() {
    FileOps ops;
    ops.write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
    ops.fsync = [](int fd) { return ::fsync(fd); };
    ops.rename = [](const char* from, const char* to) { return ::rename(from, to); };
    return ops;
}

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes,
                                               const FileOps& ops, Permissions permissions) {
    return writeFileAtomicallyFrom(
        path, [bytes](const PieceSink& put) { return put(bytes); }, ops, permissions);
}

std::optional<std::string> writeFileAtomicallyFrom(const std::string& path, const FileContent& content,
                                                   const FileOps& ops, Permissions permissions) {
    const std::string target = resolveLinks(path);
    const std::string directory = directoryOf(target);

    // A link that leads nowhere final (a loop) would be replaced by a regular file.
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return reasonFor(ELOOP);
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return reasonFor(EISDIR);
        if (!S_ISREG(existing.st_mode))
            return "It is not a regular file.";
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

    if (::fchmod(fd, mode) != 0)
        return fail(errno);
    int writeError = 0;
    const PieceSink put = [&](std::string_view bytes) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ops.write(fd, bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                writeError = n < 0 ? errno : EIO;
                return false;
            }
            written += static_cast<std::size_t>(n);
        }
        return true;
    };
    if (!content(put))
        return fail(writeError != 0 ? writeError : EIO);
    if (ops.fsync(fd) != 0)
        return fail(errno);
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

bool readFileInPieces(const std::string& path, const PieceSink& take, std::string* reason,
                      std::size_t* size) {
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
        return refuse(S_ISDIR(st.st_mode) ? reasonFor(EISDIR) : "It is not a regular file.");
    }
    if (static_cast<unsigned long long>(st.st_size) > maxDiaryFileSize) {
        ::close(fd);
        return refuse("The file is larger than 256 MB, far larger than any diary.");
    }
    if (size != nullptr)
        *size = static_cast<std::size_t>(st.st_size);
    char buffer[1 << 16];
    std::size_t total = 0;
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
            return refuse("The file is larger than 256 MB, far larger than any diary.");
        }
        if (!take(std::string_view(buffer, static_cast<std::size_t>(n))))
            break;
    }
    ::close(fd);
    return true;
}

std::optional<std::string> readWholeFile(const std::string& path, std::string* reason) {
    std::string content;
    std::size_t size = 0;
    const auto take = [&](std::string_view piece) {
        if (content.empty())
            content.reserve(size);
        content.append(piece);
        return true;
    };
    if (!readFileInPieces(path, take, reason, &size))
        return std::nullopt;
    return content;
}

long long processStartTime() {
    return startedAt;
}

int removeStaleTemporaries(const std::string& path, long long olderThan, bool unmarkedToo) {
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
            st.st_mtime >= olderThan)
            continue;
        if (::unlink(file.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

void deleteFileQuietly(const std::string& path) {
    ::unlink(path.c_str());
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace tonolog
