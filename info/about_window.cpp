// Form2, the About window.
#include "info/about_window.h"

#include "platform/files.h"
#include "ui/table_check.h"

namespace info {
namespace {

using ui::Art;
using ui::ControlKind;
using ui::ControlSpec;
using ui::kTahoma9;

// A row names what differs between the buttons, by field; the builder adds what they share.
constexpr ControlSpec button(ControlSpec c)
{
    c.kind = ControlKind::Button;
    c.rect = {.left = c.rect.left, .top = 2160, .width = 1095, .height = 975};
    c.font = kTahoma9;
    c.default_button = c.name == "Command1";
    c.picture = Art::Emblem;
    return c;
}

// Listed from the top of the z-order down.
// Access keys: R E A
constexpr std::array kControls{
    button({.name = "Command3", .text = "&Readme", .rect = {.left = 480}, .tab = 5}),
    button({.name = "Command2", .text = "&e-Mail...", .rect = {.left = 1680}, .tab = 4}),
    button({.name = "Command1", .text = "确定(&A)", .rect = {.left = 2880}, .tab = 3}),
    ControlSpec{.name = "SF",
                .kind = ControlKind::Movie,
                .rect = {.left = 0, .top = 0, .width = 4005, .height = 735},
                .tab = 0},
    ControlSpec{.name = "Label2",
                .kind = ControlKind::Label,
                .text = "制作：Tessel工作室 林晓舟",
                .rect = {.left = 120, .top = 1920, .width = 3975, .height = 255},
                .tab = 2},
    ControlSpec{.name = "Label1",
                .kind = ControlKind::Label,
                .text = "Stormline 2 Korvane 遭遇战选项设置",
                .rect = {.left = 120, .top = 1440, .width = 3855, .height = 375},
                .tab = 1},
    ControlSpec{.name = "Image1",
                .kind = ControlKind::Picture,
                .rect = {.left = 0, .top = 750, .width = 4005, .height = 675},
                .picture = Art::AboutBanner},
};
static_assert(ui::holds_together(kControls));

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

constexpr std::array<ui::ClickHandler<Form2>, 3> Form2::kClicks{{
    {"Command1", &Form2::command1_ok},
    {"Command2", &Form2::command2_email},
    {"Command3", &Form2::command3_readme},
}};

static_assert(ui::handles_every_click(kControls, Form2::kClicks));

Form2::Form2(const ui::Services& services)
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
    services_.windows.unload(ui::WindowName::Form2);
    services_.windows.show(ui::WindowName::Form1);
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
