// Form1, the main window.
#include "settings/main_window.h"

#include "settings/install.h"

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

constexpr ControlSpec text_box(std::string_view name, std::string_view text, int left, int top,
                               int width, int tab, int max_length, std::string_view tip)
{
    return {.name = name,
            .kind = ControlKind::TextBox,
            .text = text,
            .rect = {left, top, width, kBoxHeight},
            .tab = tab,
            .tooltip = tip,
            .font = kSongTi75,
            .max_length = max_length,
            .parent = "Frame1"};
}

constexpr ControlSpec box_label(std::string_view name, std::string_view text, int left, int top,
                                int width, std::string_view tip, Align align = Align::Right)
{
    return {.name = name,
            .kind = ControlKind::Label,
            .text = text,
            .rect = {left, top, width, kLineHeight},
            .tooltip = tip,
            .parent = "Frame1",
            .align = align};
}

constexpr ControlSpec check_box(std::string_view name, std::string_view text, int left, int top,
                                int width, int tab, bool checked, std::string_view tip)
{
    return {.name = name,
            .kind = ControlKind::CheckBox,
            .text = text,
            .rect = {left, top, width, kLineHeight},
            .tab = tab,
            .tooltip = tip,
            .checked = checked,
            .parent = "Frame1"};
}

constexpr ControlSpec button(std::string_view name, std::string_view text, int left, int tab,
                             std::string_view tip, Cursor cursor = Cursor::Default)
{
    return {.name = name,
            .kind = ControlKind::Button,
            .text = text,
            .rect = {left, 5760, 975, 975},
            .tab = tab,
            .tooltip = tip,
            .default_button = name == "Command1",
            .picture = Art::Emblem,
            .cursor = cursor};
}

// Listed from the top of the z-order down. Where a wide check box runs under the right-hand box
// of its row (Check10 under Check11, Check14 under Check15), the right-hand one comes first so
// that it takes the clicks in the overlap.
// Access keys: C S R A E
constexpr std::array kControls{
    button("Command1", "生成配置文件(&C)", 120, 20, "完成所有设置后点击这里……"),
    button("Command2", "设置(&S)", 1080, 21, "相关的设置"),
    button("Command3", "相关资源(&R)", 2040, 22, "关于Korvane的一些网站。"),
    button("Command4", "关于(&A)", 3000, 23, "关于本软件"),
    button("Command5", "退出(&E)", 3960, 24, "退出", Cursor::HandExclaim),

    text_box("Text1", "25", 1080, 220, 255, 0, 3, kTipTime),
    text_box("Text2", "1", 1080, 480, 150, 1, 1, kTipRadar),
    text_box("Text3", "4848", 1080, 720, 375, 2, 5, kTipPort),
    text_box("Text4", "1", 1080, 960, 150, 16, 1, kTipPlayers),
    text_box("Text5", "600", 1080, 1200, 375, 19, 5, kTipCredits),
    box_label("Label2", "时限：", -120, 240, 1215, kTipTime),
    box_label("Label3", "分钟", 1440, 240, 735, kTipTime, Align::Left),
    box_label("Label4", "雷达模式：", 120, 480, 975, kTipRadar),
    box_label("Label5", "端口：", 120, 720, 975, kTipPort),
    box_label("Label6", "最大玩家数：", 0, 960, 1095, kTipPlayers),
    box_label("Label7", "启始资源数：", 0, 1200, 1095, kTipCredits),

    check_box("Check1", "献身模式", 2280, 240, 1095, 3, false, "开启/关闭 献身模式"),
    check_box("Check2", "自动重新开始", 2280, 480, 1695, 4, false, "自动重新开始游戏。"),
    check_box("Check3", "需要密码", 2280, 720, 1695, 5, false, "游戏中它人加入时必须输入密码。"),
    check_box("Check4", "快速游戏", 2280, 960, 1695, 6, false, "快速配对游戏"),
    check_box("Check5", "进阶模式", 2280, 1200, 1695, 7, false, kTipUnknown),
    check_box("Check6", "重混队伍", 2280, 1440, 1695, 8, true, kTipUnknown),
    check_box("Check7", "建筑可维修", 2280, 2160, 1695, 9, true, "选择是否允许维修建筑"),
    check_box("Check8", "驾驶员必须是枪手", 120, 2160, 1935, 10, true,
              "定制是否只有枪手才能作为驾驶员。"),
    check_box("Check9", "Spawn武器", 120, 1440, 1935, 11, true, "是否允许Spawn武器。"),
    check_box("Check11", "允许友好交火", 2280, 1680, 2175, 13, false, kTipUnknown),
    check_box("Check10", "使用LagReduction", 120, 1680, 3495, 12, true, "确定是否使用LagReduction"),
    check_box("Check12", "允许变更小队", 120, 1920, 1935, 14, true,
              "定制是否允许在游戏中更改所属小队(Ordane或者是Veyn)"),
    check_box("Check13", "家族战争", 2280, 1920, 1935, 15, false,
              "在某个种族（Veyn或Ordane）之间打内战。"),
    check_box(
        "Check15", "成功置放标记后结束游戏", 2280, 2400, 2295, 18, true,
        "游戏中任何一方把标志（Ordane是离子风暴，Veyn是核弹）置放到指定的地方(一般是兵营内)后游戏结束，并以被置放标志的一方为失败。"),
    check_box("Check14", "基地被摧毁时结束游戏", 120, 2400, 4335, 17, true,
              "当游戏中任何一方的基地被摧毁时，游戏立即结束，并以基地未被摧毁方获胜。"),

    ControlSpec{.name = "Frame1",
                .kind = ControlKind::Frame,
                .text = "Tidecall设置",
                .rect = {120, 2640, 4935, 3015},
                .cursor = Cursor::Hand},
    ControlSpec{
        .name = "Label1",
        .kind = ControlKind::Label,
        .text =
            "Quellmark在Stormline之Korvane中新增了一个新的联机模式：Tidecall（即Stormline）模式。"
            "但是，这个模式有25分钟的时限等等诸多的限制。更改下面的选项，一个全新的Tidecall模式将展现在您眼前。",
        .rect = {120, 1800, 4935, 735}},
    ControlSpec{.name = "Image1",
                .kind = ControlKind::Picture,
                .rect = {0, 0, 5130, 1680},
                .picture = Art::Banner},
};

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

const std::array<ui::ClickHandler<Form1>, 5> Form1::kClicks{{
    {"Command1", &Form1::command1_generate},
    {"Command2", &Form1::command2_settings},
    {"Command3", &Form1::command3_resources},
    {"Command4", &Form1::command4_about},
    {"Command5", &Form1::command5_exit},
}};

Form1::Form1(const app::Services& services)
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
    services_.windows.show(app::WindowName::Form4);
    services_.windows.hide(app::WindowName::Form1);
}

void Form1::command3_resources(std::string_view)
{
    services_.windows.show(app::WindowName::Form3);
}

void Form1::command4_about(std::string_view)
{
    services_.windows.hide(app::WindowName::Form1);
    services_.windows.show(app::WindowName::Form2);
}

void Form1::command5_exit(std::string_view)
{
    services_.windows.end();
}

} // namespace settings
