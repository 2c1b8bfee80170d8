// The generate button's click: write the settings file beside the program, offer to install it,
// and copy it over the game's own copy named in the path file.
#pragma once

#include "ui/form.h"
#include "ui/window_ops.h"

#include <string_view>

namespace settings {

inline constexpr std::string_view kOfferText = "配置文件成功生成。是否现在就开始修改配置？";
inline constexpr std::string_view kOfferTitle = "祝贺";
inline constexpr std::string_view kDeclinedText =
    "生成的文件(svrcfg_skirmish.ini)已经被置放到本程序所在的文件夹之下。你可以手动复制它到 "
    "Korvane的所在文件夹\\Data下覆盖原文件。";
inline constexpr std::string_view kFailureText =
    "对这个文件修改的权限被您的系统拒绝了。但是，生成的文件(svrcfg_skirmish.ini)已经被置放到本程序所在的文件夹之下。你可以手动复制它到 "
    "Korvane的所在文件夹\\Data下覆盖原文件。";
inline constexpr std::string_view kNoticeTitle = "提示";

inline constexpr ui::MessageBoxRequest kOffer{
    kOfferText, kOfferTitle, ui::MessageButtons::YesNo, ui::MessageIcon::Question};
inline constexpr ui::MessageBoxRequest kDeclined{
    kDeclinedText, kNoticeTitle, ui::MessageButtons::Ok, ui::MessageIcon::Information};
inline constexpr ui::MessageBoxRequest kFailure{
    kFailureText, kNoticeTitle, ui::MessageButtons::Ok, ui::MessageIcon::Information};

// Reads the main window's fields at the moment of the click. Every failure, wherever it happens,
// ends the click with the one failure box; nothing is retried.
void generate_and_install(ui::Form& form1, const ui::Services& services);

} // namespace settings
