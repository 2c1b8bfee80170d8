// The generate button's click.
#include "settings/install.h"

#include "location/path_file.h"
#include "platform/files.h"
#include "settings/settings_file.h"

namespace settings {
namespace {

// Nothing when the click got as far as it should; an error sends it down the failure path.
std::error_code write_and_install(ui::Form& form1, const ui::Services& services)
{
    const std::string generated = platform::program_file(services.files, kSettingsFileName);
    const std::string text = settings_text([&](std::string_view c) { return form1.text(c); },
                                           [&](std::string_view c) { return form1.check(c); });
    if (const std::error_code failed = platform::replace_file(
            services.files, generated, services.game_code_page.from_utf8(text)))
        return failed;

    if (form1.message_box(kOffer) != ui::Answer::Yes) {
        form1.message_box(kDeclined);
        return {};
    }

    const std::optional<std::string> destination =
        location::read_location(services.files, services.code_page);
    // A path file that cannot be read names no place to install to.
    if (!destination) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (destination->empty()) {
        // The game's location was never set: ask for it; the next click installs.
        services.windows.show(ui::WindowName::Form4);
        services.windows.hide(ui::WindowName::Form1);
        return {};
    }
    return platform::copy_over(services.files, {.source = generated, .destination = *destination});
}

} // namespace

void generate_and_install(ui::Form& form1, const ui::Services& services)
{
    if (const std::error_code failed = write_and_install(form1, services))
        form1.message_box(kFailure);
}

} // namespace settings
