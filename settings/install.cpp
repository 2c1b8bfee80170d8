// The generate button's click.
#include "settings/install.h"

#include "location/path_file.h"
#include "platform/files.h"
#include "settings/settings_file.h"

namespace settings {
namespace {

// True when the click got as far as it should; false sends it down the failure path.
bool write_and_install(ui::Form& form1, const app::Services& services)
{
    const std::string generated = platform::program_file(services.files, kSettingsFileName);
    std::string text = settings_text([&](std::string_view c) { return form1.text(c); },
                                     [&](std::string_view c) { return form1.check(c); });
    if (platform::replace_file(services.files, generated, services.game_code_page.from_utf8(text)))
        return false;

    if (form1.message_box(kOffer) != ui::Answer::Yes) {
        form1.message_box(kDeclined);
        return true;
    }

    std::optional<std::string> destination =
        location::read_location(services.files, services.code_page);
    if (!destination) return false;
    if (destination->empty()) {
        // The game's location was never set: ask for it; the next click installs.
        services.windows.show(app::WindowName::Form4);
        services.windows.hide(app::WindowName::Form1);
        return true;
    }
    return !platform::copy_over(services.files, generated, *destination);
}

} // namespace

void generate_and_install(ui::Form& form1, const app::Services& services)
{
    if (!write_and_install(form1, services)) form1.message_box(kFailure);
}

} // namespace settings
