// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_io.h"

#include "words.h"

// The file seam on Windows: the C library's file descriptors for writing (so that the seam's
// operations are the same as elsewhere), the Win32 calls for what it lacks. Paths are UTF-8 and
// may use "/" or "\" between their parts.

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

namespace tonolog {

namespace {

std::wstring wide(const std::string& text) {
    if (text.empty())
        return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                          nullptr);
    return out;
}

std::size_t lastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

std::string directoryOf(const std::string& path) {
    const auto slash = lastSeparator(path);
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = lastSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string reasonFor(int error) {
    return std::strerror(error);
}

// The system's own words for its last error.
std::string lastErrorText() {
    const DWORD error = ::GetLastError();
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words =
        n > 0 && text != nullptr ? std::wstring(text, n) : L"Error " + std::to_wstring(error);
    ::LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' '))
        words.pop_back();
    return narrow(words);
}

// 100-nanosecond ticks since 1601 to nanoseconds since 1970.
std::int64_t nanosecondsOf(const FILETIME& time) {
    const std::int64_t ticks = (static_cast<std::int64_t>(time.dwHighDateTime) << 32) |
                               static_cast<std::int64_t>(time.dwLowDateTime);
    constexpr std::int64_t ticksTo1970 = 116444736000000000;
    return (ticks - ticksTo1970) * 100;
}

FileIdentity identityOfHandle(HANDLE handle) {
    FileIdentity identity;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        return identity;
    identity.known = true;
    identity.device = info.dwVolumeSerialNumber;
    identity.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.modifiedNs = nanosecondsOf(info.ftLastWriteTime);
    return identity;
}

bool attributesOf(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return ::GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

bool isDirectory(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The files of a folder: their names and modification times.
template <class Visit> void eachFileIn(const std::string& folder, Visit&& visit) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(wide(folder + "/*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            visit(narrow(found.cFileName), nanosecondsOf(found.ftLastWriteTime));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

} // namespace

FileOps FileOps::system() {
    FileOps ops;
    ops.write = [](int fd, const void* data, std::size_t size) -> std::ptrdiff_t {
        return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
    };
    ops.fsync = [](int fd) { return ::_commit(fd); };
    // Replaces the target in one step, and is on disk when it returns.
    ops.rename = [](const char* from, const char* to) {
        if (::MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        errno = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
        return -1;
    };
    return ops;
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    const HANDLE handle =
        ::CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const FileIdentity identity = identityOfHandle(handle);
    ::CloseHandle(handle);
    if (!identity.known)
        return std::nullopt;
    return identity;
}

std::optional<std::string> writeFileAtomicallyFrom(const std::string& path, const FileContent& content,
                                                   const FileOps& ops, Permissions /*permissions*/,
                                                   FileIdentity* written) {
    // A file in the user's own folders is the user's alone by its folder's access list; a replaced
    // file keeps its own, as the rename keeps the target's.
    WIN32_FILE_ATTRIBUTE_DATA existing{};
    if (attributesOf(path, existing)) {
        if (isDirectory(existing))
            return reasonFor(EISDIR);
        // A read-only diary stays as it is.
        if ((existing.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)
            return reasonFor(EACCES);
    }

    const std::string stem = directoryOf(path) + "/." + baseNameOf(path) + std::string(temporaryMarker);
    std::string temporary;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        char suffix[7];
        const unsigned long long seed =
            ::GetTickCount64() * 2654435761u + attempt * 40503u + ::GetCurrentProcessId();
        for (int i = 0; i < 6; ++i)
            suffix[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[(seed >> (5 * i)) % 36];
        suffix[6] = '\0';
        temporary = stem + suffix;
        ::_wsopen_s(&fd, wide(temporary).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _SH_DENYWR, _S_IREAD | _S_IWRITE);
        if (fd < 0 && errno != EEXIST)
            return reasonFor(errno);
    }
    if (fd < 0)
        return reasonFor(EEXIST);

    auto fail = [&](int error) -> std::optional<std::string> {
        ::_close(fd);
        ::DeleteFileW(wide(temporary).c_str());
        return reasonFor(error);
    };
    int writeError = 0;
    std::optional<ContentHash> hash;
    if (written != nullptr)
        hash.emplace();
    const PieceSink put = writingSink(ops, fd, hash, writeError);
    if (!content(put))
        return fail(writeError != 0 ? writeError : EIO);
    if (ops.fsync(fd) != 0)
        return fail(errno);
    if (written != nullptr) {
        *written = identityOfHandle(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)));
        written->hash = hash->value();
    }
    if (::_close(fd) != 0) {
        const int error = errno;
        ::DeleteFileW(wide(temporary).c_str());
        return reasonFor(error);
    }
    if (ops.rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::DeleteFileW(wide(temporary).c_str());
        return reasonFor(error);
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
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (attributesOf(path, data) && isDirectory(data))
        return refuse(reasonFor(EISDIR));
    const HANDLE handle = ::CreateFileW(
        wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return refuse(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? reasonFor(ENOENT)
                                                                                     : lastErrorText());
    }
    struct Closer {
        HANDLE handle;
        ~Closer() { ::CloseHandle(handle); }
    } closer{handle};
    // Only files on a disk are diaries: not a pipe, a console or a device.
    if (::GetFileType(handle) != FILE_TYPE_DISK)
        return refuse(translated(QT_TRANSLATE_NOOP("Tonolog", "It is not a regular file.")));
    const FileIdentity found = identityOfHandle(handle);
    if (found.size > maxDiaryFileSize)
        return refuse(translated(
            QT_TRANSLATE_NOOP("Tonolog", "The file is larger than 256 MB, far larger than any diary.")));
    if (size != nullptr)
        *size = static_cast<std::size_t>(found.size);
    std::optional<ContentHash> hash;
    if (identity != nullptr) {
        *identity = found;
        hash.emplace();
    }
    std::vector<char> buffer(1 << 16);
    std::size_t total = 0;
    bool whole = true;
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(handle, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr))
            return refuse(lastErrorText());
        if (n == 0)
            break;
        total += n;
        // A file that grows while it is read stops at the limit too.
        if (total > maxDiaryFileSize)
            return refuse(translated(
                QT_TRANSLATE_NOOP("Tonolog", "The file is larger than 256 MB, far larger than any diary.")));
        const std::string_view piece(buffer.data(), n);
        if (hash)
            hash->add(piece);
        if (!take(piece)) {
            whole = false;
            break;
        }
    }
    if (identity != nullptr && whole)
        identity->hash = hash->value();
    return true;
}

int removeStaleTemporaries(const std::string& path, std::int64_t olderThanNs, bool unmarkedToo) {
    const std::string directory = directoryOf(path);
    const std::string marked = "." + baseNameOf(path) + std::string(temporaryMarker);
    const std::string unmarked = "." + baseNameOf(path) + ".";
    // Exactly the pattern of the temporaries: the prefix and six characters.
    const auto matches = [](const std::string& name, const std::string& prefix) {
        return name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0;
    };
    int removed = 0;
    eachFileIn(directory, [&](const std::string& name, std::int64_t modifiedNs) {
        if ((matches(name, marked) || (unmarkedToo && matches(name, unmarked))) && modifiedNs < olderThanNs &&
            ::DeleteFileW(wide(directory + "/" + name).c_str()))
            ++removed;
    });
    return removed;
}

std::vector<std::string> filesNamedLike(const std::string& folder, std::string_view prefix,
                                        std::string_view suffix) {
    std::vector<std::pair<std::int64_t, std::string>> found;
    eachFileIn(folder, [&](const std::string& name, std::int64_t modifiedNs) {
        if (name.size() >= prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            found.emplace_back(modifiedNs, folder + (folder.ends_with('/') ? "" : "/") + name);
    });
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a > b; });
    std::vector<std::string> paths;
    paths.reserve(found.size());
    for (auto& [time, file] : found)
        paths.push_back(std::move(file));
    return paths;
}

void deleteFileQuietly(const std::string& path) {
    ::DeleteFileW(wide(path).c_str());
}

bool fileExists(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return attributesOf(path, data) && !isDirectory(data);
}

} // namespace tonolog
