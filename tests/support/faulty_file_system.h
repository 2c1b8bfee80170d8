// A real file system with one chosen call failing, to show no failure leaves a half-written file.
#pragma once

#include "platform/file_system.h"

#include <string>
#include <vector>

namespace testing_support {

class FaultyFileSystem final : public platform::FileSystem {
public:
    explicit FaultyFileSystem(platform::FileSystem& real)
        : FileSystem(real.program_folder(), real.separator()), real_(real)
    {
    }

    // Makes the call with this index (counted from 0 over every failable call since) fail with an
    // I/O error before it reaches the disk; -1 fails nothing.
    void fail_call(int index)
    {
        fail_at_ = index;
        calls_.clear();
    }
    // Every failable call made since the last fail_call, in order: "open" (the temporary file's),
    // "write", "flush", "close", "rename", "replaceable" (the check before a file is replaced),
    // "read".
    const std::vector<std::string>& calls() const { return calls_; }

    void remove(const std::string& path) override { real_.remove(path); }
    std::error_code create_temp_beside(const std::string& target, std::string& temp_path,
                                       platform::FileHandle& handle) override
    {
        return fails("open") ? io_error() : real_.create_temp_beside(target, temp_path, handle);
    }
    std::error_code write(platform::FileHandle handle, std::string_view bytes) override
    {
        return fails("write") ? io_error() : real_.write(handle, bytes);
    }
    std::error_code flush(platform::FileHandle handle) override
    {
        return fails("flush") ? io_error() : real_.flush(handle);
    }
    std::error_code close(platform::FileHandle handle) override
    {
        // The real handle is closed all the same: a test that fails the close must not leak it.
        const std::error_code error = real_.close(handle);
        return fails("close") ? io_error() : error;
    }
    std::error_code rename_over(const std::string& from, const std::string& to) override
    {
        return fails("rename") ? io_error() : real_.rename_over(from, to);
    }
    std::error_code check_replaceable(const std::string& path) override
    {
        return fails("replaceable") ? io_error() : real_.check_replaceable(path);
    }
    std::error_code read(const std::string& path, std::string& bytes) override
    {
        return fails("read") ? io_error() : real_.read(path, bytes);
    }

private:
    static std::error_code io_error() { return std::make_error_code(std::errc::io_error); }
    bool fails(const char* op)
    {
        calls_.push_back(op);
        return static_cast<int>(calls_.size()) - 1 == fail_at_;
    }

    platform::FileSystem& real_;
    int fail_at_ = -1;
    std::vector<std::string> calls_;
};

} // namespace testing_support
