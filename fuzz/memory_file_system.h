// A file system held in memory, so that a fuzz target can write and read settings.ban thousands of
// times a second without touching the disk.
#pragma once

#include "platform/file_system.h"

#include <map>
#include <string>

namespace fuzz {

class MemoryFileSystem final : public platform::FileSystem {
public:
    std::map<std::string, std::string> files;

    MemoryFileSystem() : FileSystem("/program", '/') {}
    std::error_code create_temp_beside(const std::string& target, std::string& temp_path,
                                       platform::FileHandle& handle) override
    {
        temp_path = target + ".tmp";
        files[temp_path].clear();
        open_ = temp_path;
        handle = 1;
        return {};
    }
    std::error_code write(platform::FileHandle, std::string_view bytes) override
    {
        files[open_] += bytes;
        return {};
    }
    std::error_code flush(platform::FileHandle) override { return {}; }
    std::error_code close(platform::FileHandle) override { return {}; }
    std::error_code rename_over(const std::string& from, const std::string& to) override
    {
        files[to] = files[from];
        files.erase(from);
        return {};
    }
    void remove(const std::string& path) override { files.erase(path); }
    std::error_code check_replaceable(const std::string&) override { return {}; }
    std::error_code read(const std::string& path, std::string& bytes) override
    {
        const auto found = files.find(path);
        if (found == files.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
        bytes = found->second;
        return {};
    }

private:
    std::string open_; // the one file being written: the program writes one at a time
};

} // namespace fuzz
