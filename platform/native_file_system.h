// The file system of the platform the program is built for: POSIX calls on Linux
// (posix/posix_file_system.cpp), Win32 calls on Windows (win32/win32_file_system.cpp). One build
// holds one of them, so code above the platform names it without knowing which.
#pragma once

#include "platform/file_system.h"

#include <string>
#include <string_view>

namespace platform {

class NativeFileSystem final : public FileSystem {
public:
    // The folder of the running executable.
    NativeFileSystem();
    // A given program folder, for tests.
    explicit NativeFileSystem(std::string program_folder);

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

#ifdef _WIN32
// The folder part of a program's full path: everything before the last backslash, except that
// at a drive's root ("C:\x.exe") the backslash stays ("C:\"), as a bare "C:" would name the
// drive's current folder instead.
std::string folder_of_program(std::string_view program_path);
#endif

} // namespace platform
