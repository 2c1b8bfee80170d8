// Files with Win32 calls, for the Windows program; paths are UTF-8 here and UTF-16 to the system.
#pragma once

#include "platform/file_system.h"

#include <string>
#include <utility>
#include <string_view>

namespace platform {

// The folder part of a program's full path: everything before the last backslash, except that
// at a drive's root ("C:\x.exe") the backslash stays ("C:\"), as a bare "C:" would name the
// drive's current folder instead.
std::string folder_of_program(std::string_view program_path);

class Win32FileSystem final : public FileSystem {
public:
    // The folder of the running executable.
    Win32FileSystem();
    // A given program folder, for tests.
    explicit Win32FileSystem(std::string program_folder) : FileSystem(std::move(program_folder), '\\') {}

    std::error_code create_temp_beside(const std::string& target, std::string& temp_path,
                                       FileHandle& handle) override;
    std::error_code write(FileHandle handle, std::string_view bytes) override;
    std::error_code flush(FileHandle handle) override;
    std::error_code close(FileHandle handle) override;
    std::error_code rename_over(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override;
    std::error_code check_replaceable(const std::string& path) override;
    std::error_code read(const std::string& path, std::string& bytes) override;
};

} // namespace platform
