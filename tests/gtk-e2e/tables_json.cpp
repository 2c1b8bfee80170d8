// Prints the four window tables, the message boxes, the file dialog's presets and the default
// settings file as JSON, so that the GTK end-to-end tests check the program against the same
// data it is built from instead of a second copy.
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "settings/install.h"
#include "settings/main_window.h"
#include "support/harness.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace ui;

std::string quoted(std::string_view s)
{
    std::string out = "\"";
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c; // UTF-8 passes through as it is
        }
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

const char* kind_name(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button: return "button";
    case ControlKind::CheckBox: return "check box";
    case ControlKind::TextBox: return "text box";
    case ControlKind::Label: return "label";
    case ControlKind::LinkLabel: return "link";
    case ControlKind::Frame: return "frame";
    case ControlKind::Picture: return "picture";
    case ControlKind::Movie: return "movie";
    }
    return "?";
}

std::string control_json(const ControlSpec& c)
{
    std::string out = "{\"name\": " + quoted(c.name) + ", \"kind\": " + quoted(kind_name(c.kind));
    out += ", \"text\": " + quoted(c.text);
    out += ", \"rect\": [" + std::to_string(c.rect.left) + ", " + std::to_string(c.rect.top) +
           ", " + std::to_string(c.rect.width) + ", " + std::to_string(c.rect.height) + "]";
    out += ", \"tab\": " + std::to_string(c.tab);
    out += ", \"tooltip\": " + quoted(c.tooltip);
    out += std::string(", \"underline\": ") + (c.font.underline ? "true" : "false");
    out += ", \"parent\": " + quoted(c.parent);
    out += std::string(", \"cursor\": \"") + cursor_name(c.cursor) + "\"";
    out += ", \"colour\": " +
           (c.colour == kDefaultColour ? std::string("null") : std::to_string(c.colour));
    return out + "}";
}

std::string form_json(const FormSpec& f)
{
    std::string out = "{\"caption\": " + quoted(f.caption);
    out += std::string(", \"border\": ") +
           (f.border == Border::FixedSingle ? "\"fixed single\"" : "\"fixed tool\"");
    out += ", \"client_width\": " + std::to_string(f.client_width) +
           ", \"client_height\": " + std::to_string(f.client_height);
    out += std::string(", \"cursor\": \"") + cursor_name(f.cursor) + "\"";
    out += ", \"controls\": [";
    const char* separator = "\n    ";
    for (const ControlSpec& c : f.controls) {
        out += separator + control_json(c);
        separator = ",\n    ";
    }
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
    const FormSpec* forms[] = {&settings::kForm1, &info::kForm2, &info::kForm3, &location::kForm4};
    std::string out = "{\"forms\": {";
    const char* separator = "\n  ";
    for (const FormSpec* f : forms) {
        out += separator + quoted(f->name) + ": " + form_json(*f);
        separator = ",\n  ";
    }
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
