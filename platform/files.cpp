// Whole-file replacement and copying, made safe by writing beside the target and renaming last.
#include "platform/files.h"

namespace platform {

namespace {

// The handle is closed whatever happens, so that a failed write never leaks it; the first error
// is the one worth reporting.
std::error_code write_and_close(FileSystem& fs, FileHandle handle, std::string_view bytes)
{
    std::error_code error = fs.write(handle, bytes);
    if (!error) {
        error = fs.flush(handle);
    }
    if (error) {
        fs.close(handle);
        return error;
    }
    return fs.close(handle);
}

} // namespace

std::string program_file(const FileSystem& fs, std::string_view name)
{
    std::string path = fs.program_folder();
    path += fs.separator();
    path += name;
    return path;
}

std::error_code replace_file(FileSystem& fs, const std::string& target, std::string_view bytes)
{
    if (std::error_code error = fs.check_replaceable(target)) {
        return error;
    }
    std::string temp_path;
    FileHandle handle = 0;
    if (std::error_code error = fs.create_temp_beside(target, temp_path, handle)) {
        return error;
    }
    std::error_code error = write_and_close(fs, handle, bytes);
    if (!error) {
        error = fs.rename_over(temp_path, target);
    }
    if (error) {
        fs.remove(temp_path);
    }
    return error;
}

std::error_code copy_over(FileSystem& fs, const Copy& copy)
{
    // Reading everything before touching the destination is what makes a copy onto itself safe.
    std::string bytes;
    if (const std::error_code failed = fs.read(copy.source, bytes)) return failed;
    return replace_file(fs, copy.destination, bytes);
}

} // namespace platform
