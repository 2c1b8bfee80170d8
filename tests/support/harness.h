// The whole program on the test desktop, over real files in a fresh folder and writing GBK.
#pragma once

#include "app/application.h"
#include "settings/main_window.h"
#include "settings/settings_file.h"
#include "desktop/headless_desktop.h"
#include "support/faulty_file_system.h"
#include "support/native.h"
#include "support/temp_folder.h"

#include <string>

namespace testing_support {

struct Harness {
    TempFolder folder;
    NativeFileSystem real_files{folder.path()};
    FaultyFileSystem files{real_files};
    NativeCodePage gbk = gbk_code_page();
    testing_support::HeadlessDesktop desktop;
    app::Application app{desktop, files, {.system = gbk, .game_file = gbk}};

    Harness() { app.start(); }

    // The generated settings file and the path file, by their bytes.
    std::string generated() const { return folder.read("svrcfg_skirmish.ini"); }
    std::string path_file() const { return folder.read("settings.ban"); }
    // Stores a location in settings.ban as the Settings window would (GBK, CR LF).
    void store_location(const std::string& path) const
    {
        folder.write("settings.ban", gbk.from_utf8(path) + "\r\n");
    }
    // Presses the generate button.
    void generate() { desktop.click("Form1", "Command1"); }
};

constexpr auto kOk = ui::MessageButtons::Ok;
constexpr auto kYesNo = ui::MessageButtons::YesNo;
constexpr auto kQuestion = ui::MessageIcon::Question;
constexpr auto kWarning = ui::MessageIcon::Warning;
constexpr auto kInformation = ui::MessageIcon::Information;

// The message boxes of the program, as the user reads them.
inline const testing_support::HeadlessDesktop::Box kOffer{
    "Form1", "配置文件成功生成。是否现在就开始修改配置？", "祝贺", kYesNo, kQuestion};
inline const testing_support::HeadlessDesktop::Box kFailure{
    "Form1",
    "对这个文件修改的权限被您的系统拒绝了。但是，生成的文件(svrcfg_skirmish.ini)已经被置放到本程序所在的文件夹之下。你可以手动复制它到 Korvane的所在文件夹\\Data下覆盖原文件。",
    "提示", kOk, kInformation};
inline const testing_support::HeadlessDesktop::Box kSaveFailed{
    "Form4",
    "无法保存游戏配置文件的位置（settings.ban）。请确认本程序所在的文件夹可以写入，然后再试一次。",
    "提示", kOk, kInformation};

// The file the generate button writes for Form1 as the product's tables set it up, from those
// tables; its bytes are written out independently once, in generate_test.cpp.
inline std::string default_settings_file()
{
    const auto spec = [](std::string_view control) { return settings::kForm1.find(control); };
    return settings::settings_text(
        [&](std::string_view c) { return std::string(spec(c)->text); },
        [&](std::string_view c) { return ui::CheckState(spec(c)->checked); });
}

} // namespace testing_support
