// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // UTF-8, without a trailing separator.
    const std::string& path() const { return path_; }
    // path() joined with a relative name by the platform's separator ('\' on Windows, where a
    // '/' in the name becomes one too), as the program joins its folder and a file name.
    std::string file(std::string_view name) const;

    // Helpers for arranging and checking files by their bytes.
    void write(std::string_view name, std::string_view bytes) const;
    // The whole content; a test failure is recorded when the file cannot be read.
    std::string read(std::string_view name) const;
    bool is_folder(std::string_view name) const;
    // Names of every entry in the folder (and in its subfolders, as "sub/name" on every
    // platform), sorted.
    std::vector<std::string> entries() const;

private:
    std::string path_;
};

} // namespace testing_support
