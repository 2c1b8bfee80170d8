// Wraps a real file system and makes one chosen call fail, so that tests can check that a failure
// at any step leaves no half-written file behind.
#pragma once

#include "platform/file_system.h"

#include <string>
#include <vector>

namespace testing_support {

enum class FileOp { Open, Write, Flush, Close, Rename, Replaceable, Read };

const char* to_string(FileOp op);

class FaultyFileSystem final : public platform::FileSystem {
public:
    explicit FaultyFileSystem(platform::FileSystem& real) : real_(real) {}

    // Makes the call with this index (counted from 0 over every failable call since the last
    // reset) fail with an I/O error; -1 fails nothing.
    void fail_call(int index)
    {
        fail_at_ = index;
        count_ = 0;
        calls_.clear();
    }
    // Every failable call made since the last fail_call, in order.
    const std::vector<FileOp>& calls() const { return calls_; }

    std::string program_folder() const override { return real_.program_folder(); }
    char separator() const override { return real_.separator(); }
    std::error_code create_temp_beside(const std::string& target, std::string& temp_path,
                                       platform::FileHandle& handle) override;
    std::error_code write(platform::FileHandle handle, std::string_view bytes) override;
    std::error_code flush(platform::FileHandle handle) override;
    std::error_code close(platform::FileHandle handle) override;
    std::error_code rename_over(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override { real_.remove(path); }
    std::error_code check_replaceable(const std::string& path) override;
    std::error_code read(const std::string& path, std::string& bytes) override;

private:
    bool fails(FileOp op);

    platform::FileSystem& real_;
    int fail_at_ = -1;
    int count_ = 0;
    std::vector<FileOp> calls_;
};

} // namespace testing_support
