// Form4, the Settings window.
#include "location/settings_window.h"

#include "location/path_file.h"
#include "ui/table_check.h"

namespace location {
namespace {

using ui::Art;
using ui::ControlKind;
using ui::ControlSpec;

// Access keys: none
constexpr std::array kControls{
    ControlSpec{.name = "Label1",
                .kind = ControlKind::Label,
                .text = "Stormline 2 Korvane遭遇战配置文件所在位置：",
                .rect = {.left = 120, .top = 120, .width = 3615, .height = 375}},
    ControlSpec{.name = "Text1",
                .kind = ControlKind::TextBox,
                .rect = {.left = 120, .top = 550, .width = 3495, .height = 270},
                .tab = 0,
                .tooltip = "在这里输入Stormline 2 Korvane遭遇战配置文件所在位置。"},
    ControlSpec{.name = "Command1",
                .kind = ControlKind::Button,
                .text = "浏览",
                .rect = {.left = 3720, .top = 0, .width = 735, .height = 855},
                .tab = 1,
                .tooltip = "浏览Stormline 2 Korvane遭遇战配置文件所在位置……",
                .picture = Art::OpenFolder},
    ControlSpec{.name = "Command2",
                .kind = ControlKind::Button,
                .text = "确定",
                .rect = {.left = 4440, .top = 0, .width = 735, .height = 855},
                .tab = 2,
                .tooltip = "填好了就点这里。",
                .picture = Art::Emblem},
};
static_assert(ui::holds_together(kControls));

} // namespace

const ui::FormSpec kForm4{
    .name = "Form4",
    .caption = "设置",
    .border = ui::Border::FixedTool,
    .client_width = 5190,
    .client_height = 885,
    .icon = Art::None,
    .cursor = ui::Cursor::Default,
    .controls = kControls,
};

constexpr std::array<ui::ClickHandler<Form4>, 2> Form4::kClicks{{
    {"Command1", &Form4::command1_browse},
    {"Command2", &Form4::command2_ok},
}};

static_assert(ui::handles_every_click(kControls, Form4::kClicks));

Form4::Form4(const ui::Services& services)
    : Form(services.desktop, kForm4), services_(services)
{
    if (std::optional<std::string> location = read_location(services_.files, services_.code_page))
        set_text("Text1", *location);
}

void Form4::on_click(std::string_view control)
{
    ui::dispatch_click<Form4>(*this, kClicks, control);
}

void Form4::on_close_request()
{
    command2_ok("Command2");
}

void Form4::command1_browse(std::string_view)
{
    const ui::FileDialogSpec cd{kDialogTitle, cd_file_name_, kDialogFilterLabel,
                                      kDialogFilterPattern};
    // Cancelling keeps what the user had typed: only a chosen file replaces it.
    if (std::optional<std::string> chosen = services_.desktop.open_file_dialog(id(), cd)) {
        cd_file_name_ = *chosen;
        set_text("Text1", *chosen);
    }
}

void Form4::command2_ok(std::string_view)
{
    const std::string typed = text("Text1");
    if (!typed.empty()) {
        if (const std::error_code failed =
                write_location(services_.files, services_.code_page, typed)) {
            message_box(kSaveFailed);
            return;
        }
        back_to_main();
        return;
    }
    if (message_box(kEmptyWarning) == ui::Answer::Yes) back_to_main();
}

void Form4::back_to_main()
{
    services_.windows.unload(ui::WindowName::Form4);
    services_.windows.show(ui::WindowName::Form1);
}

} // namespace location
