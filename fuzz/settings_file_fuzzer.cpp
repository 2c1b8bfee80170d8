// The game's settings file for any twenty values: exactly 21 lines, each ended by CR LF with no CR
// or LF anywhere else, the section header first, then one line for each key of the writer's own
// table in its order, holding the value as fed less its line breaks. The keys' names and order
// are checked byte for byte once, by the default file in tests/scenario/generate_test.cpp.
#include "check.h"

#include "settings/settings_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using settings::FieldKind;
    using settings::kSettingsKeys;

    FuzzedDataProvider input(data, size);
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, ui::CheckState, std::less<>> checks;
    for (const settings::SettingsKey& k : kSettingsKeys) {
        if (k.kind == FieldKind::Text) {
            texts[std::string(k.control)] = input.ConsumeRandomLengthString(256);
        } else {
            // Any value a check box may report, not only the three it should.
            checks[std::string(k.control)] =
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

    // Lines as the game reads them: each ends with CR LF, and a CR or LF is found nowhere else.
    std::vector<std::string_view> lines;
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t end = rest.find_first_of("\r\n");
        FUZZ_CHECK(end != std::string_view::npos && rest.substr(end, 2) == "\r\n");
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 2);
    }
    FUZZ_CHECK(lines.size() == 1 + kSettingsKeys.size() && lines.size() == 21);
    FUZZ_CHECK(lines[0] == "[Settings]");

    // Each value read once, as the click reads each at its line, and written on its key's line.
    FUZZ_CHECK(reads.size() == kSettingsKeys.size());
    for (const auto& [control, count] : reads) FUZZ_CHECK(count == 1);
    for (std::size_t i = 0; i < kSettingsKeys.size(); ++i) {
        const settings::SettingsKey& k = kSettingsKeys[i];
        std::string value = k.kind == FieldKind::Text ? texts.at(std::string(k.control))
                            : checks.at(std::string(k.control)) == ui::CheckState::Checked ? "yes"
                                                                                           : "no";
        std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
        FUZZ_CHECK(lines[i + 1] == std::string(k.key) + "=" + value);
    }
    return 0;
}
