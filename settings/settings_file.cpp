// The game's skirmish server settings file.
#include "settings/settings_file.h"

#include "platform/files.h"

namespace settings {

std::string settings_text(const TextOf& text_of, const CheckOf& check_of)
{
    std::string out = "[Settings]\r\n";
    for (const SettingsKey& k : kSettingsKeys) {
        out += k.key;
        out += '=';
        if (k.kind == FieldKind::Text) {
            out += platform::without_line_breaks(text_of(k.control));
        } else {
            out += check_of(k.control) == ui::CheckState::Checked ? "yes" : "no";
        }
        out += "\r\n";
    }
    return out;
}

} // namespace settings
