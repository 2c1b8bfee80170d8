// The game's settings file for any twenty values: exactly 21 lines, the keys in their order, CR LF
// only at the ends of lines, each value as typed less its line breaks, and nothing else.
#include "check.h"

#include "settings/settings_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace {

// The file's lines as the game expects them, written out here rather than taken from the writer's
// own table, so that a reordered or renamed key is caught.
struct Line {
    std::string_view key;
    std::string_view control;
};
constexpr Line kLines[] = {
    {"TimeLimitMinutes", "Text1"},
    {"RadarMode", "Text2"},
    {"Port", "Text3"},
    {"IsDedicated", "Check1"},
    {"IsAutoRestart", "Check2"},
    {"IsPassworded", "Check3"},
    {"IsQuickMatch", "Check4"},
    {"IsLaddered", "Check5"},
    {"RemixTeams", "Check6"},
    {"CanRepairBuildings", "Check7"},
    {"DriverIsAlwaysGunner", "Check8"},
    {"SpawnWeapons", "Check9"},
    {"UseLagReduction", "Check10"},
    {"IsFriendlyFirePermitted", "Check11"},
    {"IsTeamChangingAllowed", "Check12"},
    {"IsClanGame", "Check13"},
    {"MaxPlayers", "Text4"},
    {"BaseDestructionEndsGame", "Check14"},
    {"BeaconPlacementEndsGame", "Check15"},
    {"StartingCredits", "Text5"},
};

std::string without_line_breaks(const std::string& value)
{
    std::string out;
    for (char c : value) {
        if (c != '\r' && c != '\n') out += c;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, ui::CheckState, std::less<>> checks;
    for (const Line& line : kLines) {
        if (line.control.starts_with("Text")) {
            texts[std::string(line.control)] = input.ConsumeRandomLengthString(256);
        } else {
            // Any value a check box may report, not only the three it should.
            checks[std::string(line.control)] =
                static_cast<ui::CheckState>(input.ConsumeIntegral<std::int8_t>());
        }
    }

    std::map<std::string, int, std::less<>> reads;
    const std::string text = settings::settings_text(
        [&](std::string_view control) {
            ++reads[std::string(control)];
            return texts.at(std::string(control));
        },
        [&](std::string_view control) {
            ++reads[std::string(control)];
            return checks.at(std::string(control));
        });

    // Each control read once, as the click reads each at its line.
    FUZZ_CHECK(reads.size() == std::size(kLines));
    for (const auto& [control, count] : reads) FUZZ_CHECK(count == 1);

    std::string expected = "[Settings]\r\n";
    for (const Line& line : kLines) {
        expected += line.key;
        expected += '=';
        if (line.control.starts_with("Text")) {
            expected += without_line_breaks(texts.at(std::string(line.control)));
        } else {
            expected += checks.at(std::string(line.control)) == ui::CheckState::Checked
                            ? "yes"
                            : "no";
        }
        expected += "\r\n";
    }
    FUZZ_CHECK(text == expected);

    // The same, said as the game reads it: 21 lines, and a CR or LF only in a line's CR LF.
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
            ++lines;
            ++i;
        } else {
            FUZZ_CHECK(text[i] != '\n');
        }
    }
    FUZZ_CHECK(lines == 21 && text.ends_with("\r\n"));
    return 0;
}
