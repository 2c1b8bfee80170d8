// The few file-system primitives the program needs, one call each, so that the steps that make a
// file replacement safe are written once (files.h) and a test can make any single step fail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace platform {

using FileHandle = std::intptr_t;

// Closes what it holds (a descriptor, a handle) on every way out of a function that only reads
// through it.
template <class Handle, auto Close> class ClosedOnExit {
public:
    explicit ClosedOnExit(Handle handle) : handle_(handle) {}
    ~ClosedOnExit() { Close(handle_); }
    ClosedOnExit(const ClosedOnExit&) = delete;
    ClosedOnExit& operator=(const ClosedOnExit&) = delete;

    Handle get() const { return handle_; }

private:
    Handle handle_;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The folder that holds the program, as the platform reports it: no trailing separator,
    // except at the root of a drive or of the file system.
    const std::string& program_folder() const { return program_folder_; }
    // The separator that joins the program folder and a file name.
    char separator() const { return separator_; }

    // Creates a new, empty, uniquely named file in the folder of `target` and opens it for
    // writing.
    virtual std::error_code create_temp_beside(const std::string& target, std::string& temp_path,
                                               FileHandle& handle) = 0;
    virtual std::error_code write(FileHandle handle, std::string_view bytes) = 0;
    // Pushes what was written through to the disk.
    virtual std::error_code flush(FileHandle handle) = 0;
    virtual std::error_code close(FileHandle handle) = 0;
    // Replaces `to` by `from` in one step.
    virtual std::error_code rename_over(const std::string& from, const std::string& to) = 0;
    virtual void remove(const std::string& path) = 0;
    // Fails when `path` exists but may not be replaced: a folder, or a read-only file.
    virtual std::error_code check_replaceable(const std::string& path) = 0;
    virtual std::error_code read(const std::string& path, std::string& bytes) = 0;

protected:
    FileSystem(std::string program_folder, char separator)
        : program_folder_(std::move(program_folder)), separator_(separator)
    {
    }

private:
    std::string program_folder_;
    char separator_;
};

} // namespace platform
