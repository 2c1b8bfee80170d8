// Prints the four window tables, the message boxes, the file dialog's presets and the default
// settings file as JSON, so that the GTK end-to-end tests check the program against the same
// data it is built from instead of a second copy. Places and sizes are in pixels at 96 dpi, the
// test display's, by the rules that every front end shares (ui::pixel_rect, unit-tested).
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "settings/install.h"
#include "settings/main_window.h"
#include "support/harness.h"
#include "ui/form_rules.h"
#include "ui/twips.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace ui;

// A JSON string: quotes, backslashes and control characters escaped, UTF-8 as it is.
std::string quoted(std::string_view s)
{
    std::string out = "\"";
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[8] = {c};
        if (c == '"' || c == '\\' || byte < 0x20)
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
        out += escaped;
    }
    return out + "\"";
}

const char* cursor_name(Cursor cursor)
{
    switch (cursor) {
    case Cursor::Default: return "default";
    case Cursor::Hand: return "hand";
    case Cursor::HandExclaim: return "hand_exclaim";
    case Cursor::Pen: return "pen";
    }
    return "?";
}

// How a screen reader meets each kind of control.
const char* role(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button: return "push button";
    case ControlKind::CheckBox: return "check box";
    case ControlKind::TextBox: return "text";
    case ControlKind::Label: return "label";
    case ControlKind::LinkLabel: return "link";
    case ControlKind::Frame: return "panel";
    case ControlKind::Picture: return "icon";
    case ControlKind::Movie: return "animation";
    }
    return "?";
}

std::string control_json(const FormSpec& f, const ControlSpec& c)
{
    std::string out = "{\"name\": " + quoted(c.name) + ", \"role\": " + quoted(role(c.kind));
    out += ", \"text\": " + quoted(c.text);
    const Rect r = pixel_rect(f, c, kStandardDpi);
    out += ", \"rect\": [" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.width) + ", " + std::to_string(r.height) + "]";
    out += ", \"tab\": " + std::to_string(c.tab);
    out += ", \"tooltip\": " + quoted(c.tooltip);
    out += std::string(", \"underline\": ") + (c.font.underline ? "true" : "false");
    out += std::string(", \"cursor\": \"") + cursor_name(c.cursor) + "\"";
    out += ", \"colour\": " +
           (c.colour == kDefaultColour ? std::string("null") : std::to_string(c.colour));
    return out + "}";
}

std::string form_json(const FormSpec& f)
{
    std::string out = "{\"caption\": " + quoted(f.caption);
    out += std::string(", \"tool\": ") + (f.border == Border::FixedTool ? "true" : "false");
    out += ", \"client_size\": [" + std::to_string(twips_to_pixels(f.client_width, kStandardDpi)) +
           ", " + std::to_string(twips_to_pixels(f.client_height, kStandardDpi)) + "]";
    out += std::string(", \"cursor\": \"") + cursor_name(f.cursor) + "\"";
    out += ", \"controls\": [";
    for (const ControlSpec& c : f.controls)
        out += (&c == f.controls.data() ? "\n    " : ",\n    ") + control_json(f, c);
    return out + "]}";
}

std::string box_json(const MessageBoxRequest& box)
{
    const char* icon = box.icon == MessageIcon::Question  ? "question"
                       : box.icon == MessageIcon::Warning ? "warning"
                                                          : "information";
    return "{\"text\": " + quoted(box.text) + ", \"title\": " + quoted(box.title) +
           ", \"buttons\": " + (box.buttons == MessageButtons::YesNo ? "\"yes/no\"" : "\"ok\"") +
           ", \"icon\": \"" + icon + "\"}";
}

} // namespace

int main()
{
    std::string out = "{\"forms\": {";
    for (const FormSpec* f : {&settings::kForm1, &info::kForm2, &info::kForm3, &location::kForm4})
        out += (f == &settings::kForm1 ? "\n  " : ",\n  ") + quoted(f->name) + ": " + form_json(*f);
    out += "},\n \"boxes\": {";
    out += "\"offer\": " + box_json(settings::kOffer);
    out += ",\n  \"declined\": " + box_json(settings::kDeclined);
    out += ",\n  \"empty warning\": " + box_json(location::kEmptyWarning);
    out += "},\n \"dialog\": {\"title\": " + quoted(location::kDialogTitle) +
           ", \"filter_label\": " + quoted(location::kDialogFilterLabel) + "}";
    out += ",\n \"maker_address\": " + quoted(info::kMakerAddress);
    out += ",\n \"readme\": " + quoted(info::kReadmeFileName);
    out += ",\n \"movie\": " + quoted(info::kMovieFileName);
    out += ",\n \"default_settings_file\": " + quoted(testing_support::default_settings_file());
    out += "}\n";
    return std::fputs(out.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}
