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

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(std::string_view name) const;

    // Helpers for arranging and checking files by their bytes.
    void write(std::string_view name, std::string_view bytes) const;
    // The whole content; a test failure is recorded when the file cannot be read.
    std::string read(std::string_view name) const;
    bool exists(std::string_view name) const;
    // Names of every entry in the folder (and in its subfolders, as "sub/name"), sorted.
    std::vector<std::string> entries() const;

private:
    std::string path_;
};

} // namespace testing_support
