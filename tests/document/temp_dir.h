#pragma once

#include "document/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <unistd.h>

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tonolog-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Names in the directory, to find left-over temporary files.
    int entryCount() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_))
            ++n;
        return n;
    }

private:
    std::filesystem::path path_;
};

// System calls that fail part-way, as a full disk would: writes stop with ENOSPC after `bytes`.
inline tonolog::FileOps failingWriteAfter(std::size_t bytes) {
    tonolog::FileOps ops = tonolog::FileOps::system();
    auto budget = std::make_shared<std::size_t>(bytes);
    ops.write = [budget](int fd, const void* data, std::size_t size) -> ssize_t {
        if (*budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(size, *budget);
        *budget -= n;
        return ::write(fd, data, n);
    };
    return ops;
}
