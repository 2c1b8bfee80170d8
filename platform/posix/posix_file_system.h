// Files with POSIX calls, for the GTK program and the test desktop.
#pragma once

#include "platform/file_system.h"

#include <string>
#include <utility>

namespace platform {

class PosixFileSystem final : public FileSystem {
public:
    // The folder of the running executable.
    PosixFileSystem();
    // A given program folder, for tests.
    explicit PosixFileSystem(std::string program_folder) : FileSystem(std::move(program_folder), '/') {}

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
