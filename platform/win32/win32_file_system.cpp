// The file-system primitives with Win32 calls: wide paths, HANDLEs and GetLastError codes.
#include "platform/native_file_system.h"

#include "platform/win32/utf16.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

namespace platform {

namespace {

std::error_code last_error()
{
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

HANDLE handle_of(FileHandle handle)
{
    return reinterpret_cast<HANDLE>(handle); // NOLINT(performance-no-int-to-ptr)
}

std::string running_program()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        // A name that fills the buffer may have been cut short (older systems do not say so).
        if (length < size) {
            return to_utf8(std::wstring_view(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Lower-case hex without leading zeros; written out, since the printf family brings a whole
// formatting engine into the exe.
std::string hex(unsigned long value)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

// A name no other writer picks: the process id tells processes apart, the counter calls.
std::string temp_suffix()
{
    static std::atomic<unsigned> counter{0};
    return "." + hex(::GetCurrentProcessId()) + "-" + hex(counter.fetch_add(1)) + ".tmp";
}

using ReadHandle = ClosedOnExit<HANDLE, ::CloseHandle>;

// The whole file, handed over only once it is all read: a failed read leaves `bytes` as it was.
std::error_code read_all(HANDLE file, std::string& bytes)
{
    std::vector<char> chunk(65536);
    std::string content;
    for (;;) {
        DWORD length = 0;
        if (!::ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &length, nullptr)) {
            return last_error();
        }
        if (length == 0) {
            bytes = std::move(content);
            return {};
        }
        content.append(chunk.data(), length);
    }
}

} // namespace

std::string folder_of_program(std::string_view program_path)
{
    const std::size_t backslash = program_path.rfind('\\');
    if (backslash == std::string_view::npos) {
        return ".";
    }
    if (backslash == 0 || program_path[backslash - 1] == ':') {
        return std::string(program_path.substr(0, backslash + 1));
    }
    return std::string(program_path.substr(0, backslash));
}

NativeFileSystem::NativeFileSystem(std::string program_folder)
    : FileSystem(std::move(program_folder), '\\')
{
}

NativeFileSystem::NativeFileSystem()
    // Should the system not name the program, the current folder is the closest guess left.
    : NativeFileSystem(folder_of_program(running_program()))
{
}

std::error_code NativeFileSystem::create_temp_beside(const std::string& target,
                                                    std::string& temp_path, FileHandle& handle)
{
    // Beside the target, so that the rename stays on one volume, and named after it, so that a
    // temporary left by a crash explains itself. Windows takes '/' as a separator too.
    const std::size_t slash = target.find_last_of("\\/");
    const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
    const std::string stem = target.substr(0, name_start) + "~" + target.substr(name_start);
    // Another file of the same name only makes the next name be tried; anything else is final.
    constexpr int kAttempts = 100;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string candidate = stem + temp_suffix();
        const HANDLE file = ::CreateFileW(to_utf16(candidate).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            temp_path = std::move(candidate);
            handle = reinterpret_cast<FileHandle>(file);
            return {};
        }
        error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    return {static_cast<int>(error), std::system_category()};
}

std::error_code NativeFileSystem::write(FileHandle handle, std::string_view bytes)
{
    // WriteFile counts in DWORDs; a huge buffer goes in slices.
    constexpr std::size_t kSlice = 1u << 30;
    while (!bytes.empty()) {
        const DWORD size = static_cast<DWORD>(std::min(bytes.size(), kSlice));
        DWORD written = 0;
        if (!::WriteFile(handle_of(handle), bytes.data(), size, &written, nullptr)) {
            return last_error();
        }
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code NativeFileSystem::flush(FileHandle handle)
{
    if (!::FlushFileBuffers(handle_of(handle))) {
        return last_error();
    }
    return {};
}

std::error_code NativeFileSystem::close(FileHandle handle)
{
    if (!::CloseHandle(handle_of(handle))) {
        return last_error();
    }
    return {};
}

std::error_code NativeFileSystem::rename_over(const std::string& from, const std::string& to)
{
    // Write-through: the rename itself reaches the disk before the program says it is done.
    if (!::MoveFileExW(to_utf16(from).c_str(), to_utf16(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return last_error();
    }
    return {};
}

void NativeFileSystem::remove(const std::string& path)
{
    // Only used to clean up after a failure that is already being reported.
    ::DeleteFileW(to_utf16(path).c_str());
}

std::error_code NativeFileSystem::check_replaceable(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(to_utf16(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        // A missing file is simply created; a missing folder makes the temporary fail next.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return {};
        }
        return {static_cast<int>(error), std::system_category()};
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    // MoveFileEx would refuse a read-only target anyway, but only after the temporary was
    // written; a file marked read-only was meant to stay as it is.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return {};
}

std::error_code NativeFileSystem::read(const std::string& path, std::string& bytes)
{
    // Others may go on reading and writing: the game could have the file open while we copy it.
    const HANDLE handle =
        ::CreateFileW(to_utf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return last_error();
    }
    const ReadHandle file(handle);
    return read_all(file.get(), bytes);
}

} // namespace platform
