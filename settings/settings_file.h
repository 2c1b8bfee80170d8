// The game's skirmish server settings file: one section, twenty keys in a fixed order, each read
// from one control of the main window.
#pragma once

#include "ui/desktop.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace settings {

inline constexpr std::string_view kSettingsFileName = "svrcfg_skirmish.ini";

enum class FieldKind {
    Text, // the text box's text, as it stands
    Flag, // "yes" when the check box is ticked, "no" otherwise (grayed included)
};

struct SettingsKey {
    std::string_view key;
    std::string_view control;
    FieldKind kind;
};

// The keys in the order the file holds them.
inline constexpr std::array<SettingsKey, 20> kSettingsKeys{{
    {"TimeLimitMinutes", "Text1", FieldKind::Text},
    {"RadarMode", "Text2", FieldKind::Text},
    {"Port", "Text3", FieldKind::Text},
    {"IsDedicated", "Check1", FieldKind::Flag},
    {"IsAutoRestart", "Check2", FieldKind::Flag},
    {"IsPassworded", "Check3", FieldKind::Flag},
    {"IsQuickMatch", "Check4", FieldKind::Flag},
    {"IsLaddered", "Check5", FieldKind::Flag},
    {"RemixTeams", "Check6", FieldKind::Flag},
    {"CanRepairBuildings", "Check7", FieldKind::Flag},
    {"DriverIsAlwaysGunner", "Check8", FieldKind::Flag},
    {"SpawnWeapons", "Check9", FieldKind::Flag},
    {"UseLagReduction", "Check10", FieldKind::Flag},
    {"IsFriendlyFirePermitted", "Check11", FieldKind::Flag},
    {"IsTeamChangingAllowed", "Check12", FieldKind::Flag},
    {"IsClanGame", "Check13", FieldKind::Flag},
    {"MaxPlayers", "Text4", FieldKind::Text},
    {"BaseDestructionEndsGame", "Check14", FieldKind::Flag},
    {"BeaconPlacementEndsGame", "Check15", FieldKind::Flag},
    {"StartingCredits", "Text5", FieldKind::Text},
}};

using TextOf = std::function<std::string(std::string_view control)>;
using CheckOf = std::function<ui::CheckState(std::string_view control)>;

// The whole file as UTF-8 text, every line ended by CR LF. Values are written as typed, spaces
// included; only line breaks are dropped, so that a value cannot add lines to the game's file.
std::string settings_text(const TextOf& text_of, const CheckOf& check_of);

} // namespace settings
