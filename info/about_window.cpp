// Form2, the About window.
#include "info/about_window.h"

#include "platform/files.h"

namespace info {
namespace {

using ui::Art;
using ui::ControlKind;
using ui::ControlSpec;
using ui::kTahoma9;

constexpr ControlSpec button(std::string_view name, std::string_view text, int left, int tab)
{
    return {.name = name,
            .kind = ControlKind::Button,
            .text = text,
            .rect = {left, 2160, 1095, 975},
            .tab = tab,
            .font = kTahoma9,
            .default_button = name == "Command1",
            .picture = Art::Emblem};
}

// Listed from the top of the z-order down.
// Access keys: R E A
constexpr std::array kControls{
    button("Command3", "&Readme", 480, 5),
    button("Command2", "&e-Mail...", 1680, 4),
    button("Command1", "确定(&A)", 2880, 3),
    ControlSpec{.name = "SF",
                .kind = ControlKind::Movie,
                .rect = {0, 0, 4005, 735},
                .tab = 0},
    ControlSpec{.name = "Label2",
                .kind = ControlKind::Label,
                .text = "制作：Tessel工作室 林晓舟",
                .rect = {120, 1920, 3975, 255},
                .tab = 2},
    ControlSpec{.name = "Label1",
                .kind = ControlKind::Label,
                .text = "Stormline 2 Korvane 遭遇战选项设置",
                .rect = {120, 1440, 3855, 375},
                .tab = 1},
    ControlSpec{.name = "Image1",
                .kind = ControlKind::Picture,
                .rect = {0, 750, 4005, 675},
                .picture = Art::AboutBanner},
};

} // namespace

const ui::FormSpec kForm2{
    .name = "Form2",
    .caption = "About...",
    .border = ui::Border::FixedTool,
    .client_width = 4005,
    .client_height = 3150,
    .icon = Art::None,
    .cursor = ui::Cursor::Hand,
    .controls = kControls,
};

const std::array<ui::ClickHandler<Form2>, 3> Form2::kClicks{{
    {"Command1", &Form2::command1_ok},
    {"Command2", &Form2::command2_email},
    {"Command3", &Form2::command3_readme},
}};

Form2::Form2(const app::Services& services)
    : Form(services.desktop, kForm2), services_(services)
{
    services_.desktop.set_movie(id(), "SF",
                                platform::program_file(services_.files, kMovieFileName));
}

void Form2::on_click(std::string_view control)
{
    ui::dispatch_click<Form2>(*this, kClicks, control);
}

void Form2::on_close_request()
{
    command1_ok("Command1");
}

void Form2::command1_ok(std::string_view)
{
    services_.windows.unload(app::WindowName::Form2);
    services_.windows.show(app::WindowName::Form1);
}

void Form2::command2_email(std::string_view)
{
    services_.desktop.shell_open(id(), {ui::OpenKind::Address, std::string(kMakerAddress)});
}

void Form2::command3_readme(std::string_view)
{
    services_.desktop.shell_open(
        id(), {ui::OpenKind::File, platform::program_file(services_.files, kReadmeFileName)});
}

} // namespace info
