// Counts every failable call and turns the chosen one into an I/O error before it reaches the disk.
#include "support/faulty_file_system.h"

namespace testing_support {

namespace {

std::error_code injected_error()
{
    return std::make_error_code(std::errc::io_error);
}

} // namespace

const char* to_string(FileOp op)
{
    switch (op) {
    case FileOp::Open: return "open";
    case FileOp::Write: return "write";
    case FileOp::Flush: return "flush";
    case FileOp::Close: return "close";
    case FileOp::Rename: return "rename";
    case FileOp::Replaceable: return "replaceable";
    case FileOp::Read: return "read";
    }
    return "?";
}

bool FaultyFileSystem::fails(FileOp op)
{
    calls_.push_back(op);
    return count_++ == fail_at_;
}

std::error_code FaultyFileSystem::create_temp_beside(const std::string& target,
                                                     std::string& temp_path,
                                                     platform::FileHandle& handle)
{
    if (fails(FileOp::Open)) {
        return injected_error();
    }
    return real_.create_temp_beside(target, temp_path, handle);
}

std::error_code FaultyFileSystem::write(platform::FileHandle handle, std::string_view bytes)
{
    if (fails(FileOp::Write)) {
        return injected_error();
    }
    return real_.write(handle, bytes);
}

std::error_code FaultyFileSystem::flush(platform::FileHandle handle)
{
    if (fails(FileOp::Flush)) {
        return injected_error();
    }
    return real_.flush(handle);
}

std::error_code FaultyFileSystem::close(platform::FileHandle handle)
{
    // The real handle is closed all the same: a test that fails the close must not leak it.
    const std::error_code error = real_.close(handle);
    if (fails(FileOp::Close)) {
        return injected_error();
    }
    return error;
}

std::error_code FaultyFileSystem::rename_over(const std::string& from, const std::string& to)
{
    if (fails(FileOp::Rename)) {
        return injected_error();
    }
    return real_.rename_over(from, to);
}

std::error_code FaultyFileSystem::check_replaceable(const std::string& path)
{
    if (fails(FileOp::Replaceable)) {
        return injected_error();
    }
    return real_.check_replaceable(path);
}

std::error_code FaultyFileSystem::read(const std::string& path, std::string& bytes)
{
    if (fails(FileOp::Read)) {
        return injected_error();
    }
    return real_.read(path, bytes);
}

} // namespace testing_support
