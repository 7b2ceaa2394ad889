// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/file_io.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        for (;;) {
            path_ = std::filesystem::temp_directory_path() / ("tonolog-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(path_, error))
                break;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The path with "/" between its parts, as the program's own paths have them.
    std::string path() const { return path_.generic_string(); }
    std::string file(const std::string& name) const { return (path_ / name).generic_string(); }

    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream out(std::filesystem::u8path(path), std::ios::binary);
        out << bytes;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
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
    ops.write = [budget, write = ops.write](int fd, const void* data, std::size_t size) -> std::ptrdiff_t {
        if (*budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(size, *budget);
        *budget -= n;
        return write(fd, data, n);
    };
    return ops;
}
