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

    // What each control reports, any value a check box may report included, not only the three it
    // should; and the lines the file should hold: the header, then each key's line with the value
    // as fed less its line breaks, a ticked box as yes.
    FuzzedDataProvider input(data, size);
    std::map<std::string_view, std::string> texts;
    std::map<std::string_view, ui::CheckState> checks;
    std::vector<std::string> expected{"[Settings]"};
    for (const settings::SettingsKey& k : kSettingsKeys) {
        std::string value;
        if (k.kind == FieldKind::Text) {
            value = texts[k.control] = input.ConsumeRandomLengthString(256);
            std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
        } else {
            checks[k.control] = static_cast<ui::CheckState>(input.ConsumeIntegral<std::int8_t>());
            value = checks[k.control] == ui::CheckState::Checked ? "yes" : "no";
        }
        expected.push_back(std::string(k.key) + "=" + value);
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

    // Lines as the game reads them: each ends with CR LF, and a CR or LF is found nowhere else.
    std::vector<std::string> lines;
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t end = rest.find_first_of("\r\n");
        FUZZ_CHECK(end != std::string_view::npos && rest.substr(end, 2) == "\r\n");
        lines.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end + 2);
    }
    FUZZ_CHECK(lines == expected && lines.size() == 21);

    // Each value read once, as the click reads each at its line.
    FUZZ_CHECK(reads.size() == kSettingsKeys.size());
    for (const auto& [control, count] : reads) FUZZ_CHECK(count == 1);
    return 0;
}
