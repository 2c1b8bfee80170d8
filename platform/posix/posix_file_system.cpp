// The file-system primitives on POSIX, with the Linux /proc entry that names the running program.
#include "platform/native_file_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace platform {

namespace {

std::error_code last_error()
{
    return {errno, std::generic_category()};
}

int fd_of(FileHandle handle)
{
    return static_cast<int>(handle);
}

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string running_program()
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return {buffer.data(), static_cast<std::size_t>(length)};
        }
        // readlink cuts the name short without saying so; a full buffer may mean just that.
        buffer.resize(buffer.size() * 2);
    }
}

// The umask can only be read by setting it, so it is put straight back.
mode_t current_umask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

using ReadDescriptor = ClosedOnExit<int, ::close>;

// The whole file, handed over only once it is all read: a failed read leaves `bytes` as it was.
std::error_code read_all(int fd, std::string& bytes)
{
    char chunk[65536];
    std::string content;
    for (;;) {
        const ssize_t length = ::read(fd, chunk, sizeof chunk);
        if (length < 0) {
            if (errno == EINTR) {
                continue;
            }
            return last_error();
        }
        if (length == 0) {
            bytes = std::move(content);
            return {};
        }
        content.append(chunk, static_cast<std::size_t>(length));
    }
}

} // namespace

NativeFileSystem::NativeFileSystem(std::string program_folder)
    : FileSystem(std::move(program_folder), '/')
{
}

NativeFileSystem::NativeFileSystem()
    // Without /proc the folder is unknown; the current folder is the closest guess left.
    : NativeFileSystem(folder_of(running_program()))
{
}

std::error_code NativeFileSystem::create_temp_beside(const std::string& target,
                                                    std::string& temp_path, FileHandle& handle)
{
    // Hidden and named after the target, so that a temporary left by a crash explains itself.
    const std::size_t name_start = target.rfind('/') + 1; // npos + 1 is 0: no folder given
    std::string pattern =
        target.substr(0, name_start) + "." + target.substr(name_start) + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return last_error();
    }
    // mkstemp makes the file private; the replaced file should get the permissions any newly
    // created file would.
    if (::fchmod(fd, 0666 & ~current_umask()) != 0) {
        const std::error_code error = last_error();
        ::close(fd);
        ::unlink(pattern.c_str());
        return error;
    }
    temp_path = std::move(pattern);
    handle = fd;
    return {};
}

std::error_code NativeFileSystem::write(FileHandle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_of(handle), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return last_error();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code NativeFileSystem::flush(FileHandle handle)
{
    while (::fsync(fd_of(handle)) != 0) {
        if (errno != EINTR) {
            return last_error();
        }
    }
    return {};
}

std::error_code NativeFileSystem::close(FileHandle handle)
{
    // Linux frees the descriptor even when close is interrupted, and the bytes were already
    // flushed, so an interruption is no failure; retrying could close someone else's file.
    if (::close(fd_of(handle)) != 0 && errno != EINTR) {
        return last_error();
    }
    return {};
}

std::error_code NativeFileSystem::rename_over(const std::string& from, const std::string& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return last_error();
    }
    return {};
}

void NativeFileSystem::remove(const std::string& path)
{
    // Only used to clean up after a failure that is already being reported.
    ::unlink(path.c_str());
}

std::error_code NativeFileSystem::check_replaceable(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        // A missing file is simply created; a missing folder makes the temporary fail next.
        if (errno == ENOENT || errno == ENOTDIR) {
            return {};
        }
        return last_error();
    }
    if (S_ISDIR(info.st_mode)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    // The mode bits, not access(2): root may write anything, yet a file marked read-only was
    // meant to stay as it is.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return {};
}

std::error_code NativeFileSystem::read(const std::string& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return last_error();
    }
    const ReadDescriptor file(fd);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return last_error();
    }
    if (S_ISDIR(info.st_mode)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    return read_all(file.get(), bytes);
}

} // namespace platform
