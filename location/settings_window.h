// Form4, the Settings window: where the game keeps its settings file, typed or browsed for, and
// stored in settings.ban.
#pragma once

#include "ui/form.h"
#include "ui/window_ops.h"

#include <array>
#include <string>

namespace location {

extern const ui::FormSpec kForm4;

inline constexpr std::string_view kEmptyWarningText =
    "请正确输入Stormline2 - Korvane的所在文件夹。否则程序将不能自动对Korvane进行修改，而需要您手动修改。确定放弃设置吗？";
inline constexpr std::string_view kEmptyWarningTitle = "错误的输入";
inline constexpr std::string_view kSaveFailedText =
    "无法保存游戏配置文件的位置（settings.ban）。请确认本程序所在的文件夹可以写入，然后再试一次。";
inline constexpr std::string_view kSaveFailedTitle = "提示";

inline constexpr ui::MessageBoxRequest kEmptyWarning{kEmptyWarningText, kEmptyWarningTitle,
                                                           ui::MessageButtons::YesNo,
                                                           ui::MessageIcon::Warning};
inline constexpr ui::MessageBoxRequest kSaveFailed{kSaveFailedText, kSaveFailedTitle,
                                                         ui::MessageButtons::Ok,
                                                         ui::MessageIcon::Information};

// The presets of the file dialog cd.
inline constexpr std::string_view kDialogTitle = "打开文件";
inline constexpr std::string_view kDialogInitialName = "svrcfg_skirmish.ini";
inline constexpr std::string_view kDialogFilterLabel =
    "SL2Korvane遭遇战模式配置文件(svrcfg_skirmish.ini)";
inline constexpr std::string_view kDialogFilterPattern = "svrcfg_skirmish.ini";

class Form4 final : public ui::Form {
public:
    // Loading fills the text box from settings.ban; a missing or unreadable file leaves it empty.
    explicit Form4(const ui::Services& services);

    void on_click(std::string_view control) override;
    // A close from the platform (Alt+F4) means what the OK button means.
    void on_close_request() override;

    static const std::array<ui::ClickHandler<Form4>, 2> kClicks;

private:
    void command1_browse(std::string_view);
    void command2_ok(std::string_view);
    void back_to_main();

    ui::Services services_;
    // The dialog remembers the last file chosen, for as long as this window lives.
    std::string cd_file_name_{kDialogInitialName};
};

} // namespace location
