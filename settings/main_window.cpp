// Form1, the main window.
#include "settings/main_window.h"

#include "settings/install.h"
#include "settings/settings_file.h"
#include "ui/table_check.h"

#include <algorithm>

namespace settings {
namespace {

using ui::Align;
using ui::Art;
using ui::ControlKind;
using ui::ControlSpec;
using ui::Cursor;
using ui::kNoTab;
using ui::kSongTi75;

constexpr std::string_view kTipTime =
    "定制游戏的时间限制。一旦这个时间过去，游戏将自动结束。单位：分钟。只能输入正整数。默认值是25。";
constexpr std::string_view kTipRadar =
    "定制雷达的模式。具体总是干什么的我还不知道呢^_^。默认值是1。只能输入正整数。";
constexpr std::string_view kTipPort =
    "设置服务器端口。一般来说没有修改的必要。只能输入正整数，默认值是4848。";
constexpr std::string_view kTipPlayers = "规定游戏中的最大玩家数目。默认值为1，只能输入正整数。";
constexpr std::string_view kTipCredits = "定制游戏开始的资源数目。默认是600。只能输入正整数。";
constexpr std::string_view kTipUnknown = "我不懂这个选项是什么意思;)";

constexpr int kBoxHeight = 225;
constexpr int kLineHeight = 255;

// A row names its control's own facts by field, so that no two can change places unseen; the
// builder adds what every control of its kind in this window shares.
constexpr ControlSpec text_box(ControlSpec c)
{
    c.kind = ControlKind::TextBox;
    c.rect.height = kBoxHeight;
    c.font = kSongTi75;
    c.parent = "Frame1";
    return c;
}

constexpr ControlSpec box_label(ControlSpec c)
{
    c.kind = ControlKind::Label;
    c.rect.height = kLineHeight;
    c.parent = "Frame1";
    return c;
}

constexpr ControlSpec check_box(ControlSpec c)
{
    c.kind = ControlKind::CheckBox;
    c.rect.height = kLineHeight;
    c.parent = "Frame1";
    return c;
}

constexpr ControlSpec button(ControlSpec c)
{
    c.kind = ControlKind::Button;
    c.rect = {.left = c.rect.left, .top = 5760, .width = 975, .height = 975};
    c.default_button = c.name == "Command1";
    c.picture = Art::Emblem;
    return c;
}

// Listed from the top of the z-order down. Where a wide check box runs under the right-hand box
// of its row (Check10 under Check11, Check14 under Check15), the right-hand one comes first so
// that it takes the clicks in the overlap.
// Access keys: C S R A E
// The rows are kept as written, one control to a few lines (clang-format would give each fact
// a line of its own).
// clang-format off
constexpr std::array kControls{
    button({.name = "Command1", .text = "生成配置文件(&C)", .rect = {.left = 120}, .tab = 20,
            .tooltip = "完成所有设置后点击这里……"}),
    button({.name = "Command2", .text = "设置(&S)", .rect = {.left = 1080}, .tab = 21,
            .tooltip = "相关的设置"}),
    button({.name = "Command3", .text = "相关资源(&R)", .rect = {.left = 2040}, .tab = 22,
            .tooltip = "关于Korvane的一些网站。"}),
    button({.name = "Command4", .text = "关于(&A)", .rect = {.left = 3000}, .tab = 23,
            .tooltip = "关于本软件"}),
    button({.name = "Command5", .text = "退出(&E)", .rect = {.left = 3960}, .tab = 24,
            .tooltip = "退出", .cursor = Cursor::HandExclaim}),

    text_box({.name = "Text1", .text = "25", .rect = {.left = 1080, .top = 220, .width = 255},
              .tab = 0, .tooltip = kTipTime, .max_length = 3}),
    text_box({.name = "Text2", .text = "1", .rect = {.left = 1080, .top = 480, .width = 150},
              .tab = 1, .tooltip = kTipRadar, .max_length = 1}),
    text_box({.name = "Text3", .text = "4848", .rect = {.left = 1080, .top = 720, .width = 375},
              .tab = 2, .tooltip = kTipPort, .max_length = 5}),
    text_box({.name = "Text4", .text = "1", .rect = {.left = 1080, .top = 960, .width = 150},
              .tab = 16, .tooltip = kTipPlayers, .max_length = 1}),
    text_box({.name = "Text5", .text = "600", .rect = {.left = 1080, .top = 1200, .width = 375},
              .tab = 19, .tooltip = kTipCredits, .max_length = 5}),
    box_label({.name = "Label2", .text = "时限：", .rect = {.left = -120, .top = 240, .width = 1215},
               .tooltip = kTipTime, .align = Align::Right}),
    box_label({.name = "Label3", .text = "分钟", .rect = {.left = 1440, .top = 240, .width = 735},
               .tooltip = kTipTime, .align = Align::Left}),
    box_label({.name = "Label4", .text = "雷达模式：", .rect = {.left = 120, .top = 480, .width = 975},
               .tooltip = kTipRadar, .align = Align::Right}),
    box_label({.name = "Label5", .text = "端口：", .rect = {.left = 120, .top = 720, .width = 975},
               .tooltip = kTipPort, .align = Align::Right}),
    box_label({.name = "Label6", .text = "最大玩家数：", .rect = {.left = 0, .top = 960, .width = 1095},
               .tooltip = kTipPlayers, .align = Align::Right}),
    box_label({.name = "Label7", .text = "启始资源数：", .rect = {.left = 0, .top = 1200, .width = 1095},
               .tooltip = kTipCredits, .align = Align::Right}),

    check_box({.name = "Check1", .text = "献身模式", .rect = {.left = 2280, .top = 240, .width = 1095},
               .tab = 3, .tooltip = "开启/关闭 献身模式", .checked = false}),
    check_box({.name = "Check2", .text = "自动重新开始", .rect = {.left = 2280, .top = 480, .width = 1695},
               .tab = 4, .tooltip = "自动重新开始游戏。", .checked = false}),
    check_box({.name = "Check3", .text = "需要密码", .rect = {.left = 2280, .top = 720, .width = 1695},
               .tab = 5, .tooltip = "游戏中它人加入时必须输入密码。", .checked = false}),
    check_box({.name = "Check4", .text = "快速游戏", .rect = {.left = 2280, .top = 960, .width = 1695},
               .tab = 6, .tooltip = "快速配对游戏", .checked = false}),
    check_box({.name = "Check5", .text = "进阶模式", .rect = {.left = 2280, .top = 1200, .width = 1695},
               .tab = 7, .tooltip = kTipUnknown, .checked = false}),
    check_box({.name = "Check6", .text = "重混队伍", .rect = {.left = 2280, .top = 1440, .width = 1695},
               .tab = 8, .tooltip = kTipUnknown, .checked = true}),
    check_box({.name = "Check7", .text = "建筑可维修", .rect = {.left = 2280, .top = 2160, .width = 1695},
               .tab = 9, .tooltip = "选择是否允许维修建筑", .checked = true}),
    check_box({.name = "Check8", .text = "驾驶员必须是枪手", .rect = {.left = 120, .top = 2160, .width = 1935},
               .tab = 10, .tooltip = "定制是否只有枪手才能作为驾驶员。", .checked = true}),
    check_box({.name = "Check9", .text = "Spawn武器", .rect = {.left = 120, .top = 1440, .width = 1935},
               .tab = 11, .tooltip = "是否允许Spawn武器。", .checked = true}),
    check_box({.name = "Check11", .text = "允许友好交火", .rect = {.left = 2280, .top = 1680, .width = 2175},
               .tab = 13, .tooltip = kTipUnknown, .checked = false}),
    check_box({.name = "Check10", .text = "使用LagReduction", .rect = {.left = 120, .top = 1680, .width = 3495},
               .tab = 12, .tooltip = "确定是否使用LagReduction", .checked = true}),
    check_box({.name = "Check12", .text = "允许变更小队", .rect = {.left = 120, .top = 1920, .width = 1935},
               .tab = 14, .tooltip = "定制是否允许在游戏中更改所属小队(Ordane或者是Veyn)",
               .checked = true}),
    check_box({.name = "Check13", .text = "家族战争", .rect = {.left = 2280, .top = 1920, .width = 1935},
               .tab = 15, .tooltip = "在某个种族（Veyn或Ordane）之间打内战。", .checked = false}),
    check_box({.name = "Check15", .text = "成功置放标记后结束游戏", .rect = {.left = 2280, .top = 2400, .width = 2295},
               .tab = 18,
               .tooltip = "游戏中任何一方把标志（Ordane是离子风暴，Veyn是核弹）置放到指定的地方(一般是兵营内)后游戏结束，并以被置放标志的一方为失败。",
               .checked = true}),
    check_box({.name = "Check14", .text = "基地被摧毁时结束游戏", .rect = {.left = 120, .top = 2400, .width = 4335},
               .tab = 17,
               .tooltip = "当游戏中任何一方的基地被摧毁时，游戏立即结束，并以基地未被摧毁方获胜。",
               .checked = true}),

    ControlSpec{.name = "Frame1",
                .kind = ControlKind::Frame,
                .text = "Tidecall设置",
                .rect = {.left = 120, .top = 2640, .width = 4935, .height = 3015},
                .cursor = Cursor::Hand},
    ControlSpec{
        .name = "Label1",
        .kind = ControlKind::Label,
        .text =
            "Quellmark在Stormline之Korvane中新增了一个新的联机模式：Tidecall（即Stormline）模式。"
            "但是，这个模式有25分钟的时限等等诸多的限制。更改下面的选项，一个全新的Tidecall模式将展现在您眼前。",
        .rect = {.left = 120, .top = 1800, .width = 4935, .height = 735}},
    ControlSpec{.name = "Image1",
                .kind = ControlKind::Picture,
                .rect = {.left = 0, .top = 0, .width = 5130, .height = 1680},
                .picture = Art::Banner},
};
// clang-format on
static_assert(ui::holds_together(kControls));

// The settings file reads each value from a control of this window (kSettingsKeys names it):
// each key's control is here, of the kind its value needs, and each text box and check box here
// is read by exactly one key.
constexpr ControlKind control_kind(FieldKind kind)
{
    return kind == FieldKind::Text ? ControlKind::TextBox : ControlKind::CheckBox;
}

constexpr bool every_key_reads_a_control_of_its_kind()
{
    return std::ranges::all_of(kSettingsKeys, [](const SettingsKey& key) {
        return std::ranges::count_if(kControls, [&key](const ControlSpec& c) {
                   return c.name == key.control && c.kind == control_kind(key.kind);
               }) == 1;
    });
}

constexpr bool every_setting_control_is_read_once()
{
    return std::ranges::all_of(kControls, [](const ControlSpec& c) {
        const bool setting = c.kind == ControlKind::TextBox || c.kind == ControlKind::CheckBox;
        return !setting || std::ranges::count(kSettingsKeys, c.name, &SettingsKey::control) == 1;
    });
}

static_assert(every_key_reads_a_control_of_its_kind(),
              "a key of kSettingsKeys names no control of Form1, or one of the wrong kind "
              "(Text reads a TextBox, Flag a CheckBox)");
static_assert(every_setting_control_is_read_once(),
              "a text box or check box of Form1 is read by no key of kSettingsKeys, or by two");

} // namespace

const ui::FormSpec kForm1{
    .name = "Form1",
    .caption = "Stormline2 - Korvane遭遇战模式设置",
    .border = ui::Border::FixedSingle,
    .client_width = 5130,
    .client_height = 6810,
    .icon = Art::Emblem,
    .cursor = Cursor::Hand,
    .controls = kControls,
};

constexpr std::array<ui::ClickHandler<Form1>, 5> Form1::kClicks{{
    {"Command1", &Form1::command1_generate},
    {"Command2", &Form1::command2_settings},
    {"Command3", &Form1::command3_resources},
    {"Command4", &Form1::command4_about},
    {"Command5", &Form1::command5_exit},
}};

static_assert(ui::handles_every_click(kControls, Form1::kClicks));

Form1::Form1(const ui::Services& services)
    : Form(services.desktop, kForm1), services_(services)
{
}

void Form1::on_click(std::string_view control)
{
    ui::dispatch_click<Form1>(*this, kClicks, control);
}

void Form1::on_close_request()
{
    services_.windows.end();
}

void Form1::command1_generate(std::string_view)
{
    generate_and_install(*this, services_);
}

void Form1::command2_settings(std::string_view)
{
    services_.windows.show(ui::WindowName::Form4);
    services_.windows.hide(ui::WindowName::Form1);
}

void Form1::command3_resources(std::string_view)
{
    services_.windows.show(ui::WindowName::Form3);
}

void Form1::command4_about(std::string_view)
{
    services_.windows.hide(ui::WindowName::Form1);
    services_.windows.show(ui::WindowName::Form2);
}

void Form1::command5_exit(std::string_view)
{
    services_.windows.end();
}

} // namespace settings
