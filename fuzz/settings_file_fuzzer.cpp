// The game's settings file for any twenty values: exactly 21 lines, each ended by CR LF with no CR
// or LF anywhere else, the section header first, then one line for each key of the writer's own
// table in its order, holding the value as fed less its line breaks. The keys' names and order
// are checked byte for byte once, by the default file in tests/scenario/generate_test.cpp.
#include "check.h"

#include "settings/settings_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using settings::FieldKind;
    using settings::kSettingsKeys;

    // What each control reports, any value a check box may report included, not only the three it
    // should; and the text the file should hold: the header, then each key's line with the value
    // as fed less its line breaks, a ticked box as yes, each line ended by CR LF.
    FuzzedDataProvider input(data, size);
    std::map<std::string_view, std::string> texts;
    std::map<std::string_view, ui::CheckState> checks;
    std::string expected = "[Settings]\r\n";
    for (const settings::SettingsKey& k : kSettingsKeys) {
        std::string value;
        if (k.kind == FieldKind::Text) {
            value = texts[k.control] = input.ConsumeRandomLengthString(256);
            std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
        } else {
            checks[k.control] = static_cast<ui::CheckState>(input.ConsumeIntegral<std::int8_t>());
            value = checks[k.control] == ui::CheckState::Checked ? "yes" : "no";
        }
        expected += std::string(k.key) + "=" + value + "\r\n";
    }

    std::map<std::string, int, std::less<>> reads;
    const std::string text = settings::settings_text(
        [&](std::string_view control) {
            ++reads[std::string(control)];
            return texts.at(control);
        },
        [&](std::string_view control) {
            ++reads[std::string(control)];
            return checks.at(control);
        });

    // Lines as the game reads them: no CR or LF but the one pair that ends each of the 21.
    FUZZ_CHECK(text == expected && std::count(text.begin(), text.end(), '\n') == 21);

    // Each value read once, as the click reads each at its line.
    FUZZ_CHECK(reads.size() == kSettingsKeys.size());
    for (const auto& [control, count] : reads) FUZZ_CHECK(count == 1);
    return 0;
}
