// Form3, the Resources window.
#include "info/resources_window.h"

#include "ui/table_check.h"

namespace info {
namespace {

using ui::ControlKind;
using ui::ControlSpec;

constexpr int kLinkTop = 360;
constexpr int kLinkPitch = 240;

constexpr ControlSpec link(int n, std::string_view address)
{
    constexpr std::array<std::string_view, 13> kNames{
        "Label1", "Label2", "Label3",  "Label4",  "Label5",  "Label6", "Label7",
        "Label8", "Label9", "Label10", "Label11", "Label12", "Label13"};
    return {.name = kNames[static_cast<std::size_t>(n - 1)],
            .kind = ControlKind::LinkLabel,
            .text = address,
            .rect = {120, kLinkTop + kLinkPitch * (n - 1), 4455, 255},
            .tab = n - 1,
            .font = ui::kTahoma9Link,
            .cursor = ui::Cursor::Pen,
            .colour = ui::kPureBlue};
}

// Listed from the top of the z-order down: the OK button covers the right-hand end of the last
// five link rows and takes the clicks there.
// Access keys: R
constexpr std::array kControls{
    ControlSpec{.name = "Command6",
                .kind = ControlKind::Button,
                .text = "确定(&R)",
                .rect = {.left = 3360, .top = 2400, .width = 1215, .height = 975},
                .tab = 13,
                .font = ui::kTahoma9,
                .default_button = true,
                .picture = ui::Art::Emblem},
    ControlSpec{
        .name = "Label14",
        .kind = ControlKind::Label,
        .text = "点击以下链接打开这些站点.",
        .rect = {.left = 120, .top = 120, .width = 4455, .height = 255},
        .tab = 14,
    },
    link(1, "http://korvane.example.com"),
    link(2, "http://hints.example.com"),
    link(3, "http://reviews.example.com"),
    link(4, "http://cheats.example.com"),
    link(5, "http://maps.example.net"),
    link(6, "http://clans.example.net"),
    link(7, "http://forum.example.net"),
    link(8, "http://news.example.net"),
    link(9, "http://mods.example.org"),
    link(10, "http://ladder.example.org"),
    link(11, "http://servers.example.org"),
    link(12, "http://guides.example.org"),
    link(13, "http://fans.example.org"),
};
static_assert(ui::holds_together(kControls));

} // namespace

const ui::FormSpec kForm3{
    .name = "Form3",
    .caption = "Resources",
    .border = ui::Border::FixedTool,
    .client_width = 4680,
    .client_height = 3510,
    .icon = ui::Art::None,
    .cursor = ui::Cursor::Hand,
    .controls = kControls,
};

constexpr std::array<ui::ClickHandler<Form3>, 14> Form3::kClicks{{
    {"Command6", &Form3::command6_ok},
    {"Label1", &Form3::link_click},
    {"Label2", &Form3::link_click},
    {"Label3", &Form3::link_click},
    {"Label4", &Form3::link_click},
    {"Label5", &Form3::link_click},
    {"Label6", &Form3::link_click},
    {"Label7", &Form3::link_click},
    {"Label8", &Form3::link_click},
    {"Label9", &Form3::link_click},
    {"Label10", &Form3::link_click},
    {"Label11", &Form3::link_click},
    {"Label12", &Form3::link_click},
    {"Label13", &Form3::link_click},
}};

static_assert(ui::handles_every_click(kControls, Form3::kClicks));

Form3::Form3(const ui::Services& services)
    : Form(services.desktop, kForm3), services_(services)
{
}

void Form3::on_click(std::string_view control)
{
    ui::dispatch_click<Form3>(*this, kClicks, control);
}

void Form3::on_close_request()
{
    command6_ok("Command6");
}

void Form3::command6_ok(std::string_view)
{
    services_.windows.hide(ui::WindowName::Form3);
}

void Form3::link_click(std::string_view label)
{
    services_.desktop.shell_open(id(), {ui::OpenKind::Address, text(label)});
}

} // namespace info
