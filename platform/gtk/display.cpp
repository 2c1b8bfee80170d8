// The display's DPI, the table's fonts, and the style rules that restore the table's rectangles.
#include "platform/gtk/display.h"

#include <cmath>
#include <string>

namespace platform {
namespace {

constexpr int kDialogTenthPoints = 90; // where a control names no font, as on Windows

// Song-style faces, the Windows name first: fontconfig takes the first one installed and falls
// back along the list for any character a face lacks.
constexpr char kSongFaces[] = "宋体,SimSun,NSimSun,AR PL UMing CN,AR PL UMing TW,"
                              "Noto Serif CJK SC,Source Han Serif SC,WenQuanYi Zen Hei,serif";
constexpr char kSansFaces[] =
    "Liberation Sans,DejaVu Sans,WenQuanYi Zen Hei,AR PL UMing CN,sans-serif";

// The windows were laid out for a Chinese system's dialog font, the Song face at 9 points; a
// Latin face named in the table keeps a Chinese face behind it for the characters it lacks.
std::string faces_for(std::string_view face)
{
    if (face.empty() || face == "宋体" || face == "SimSun") return kSongFaces;
    return std::string(face) + "," + kSansFaces;
}

// Only what the theme adds beyond the table's rectangles: an entry's minimum height and padding
// (Adwaita makes an 18 px box 34 px high), a button's and a check box's padding and minimum size
// (the pictures and captions fill the tables' buttons edge to edge).
constexpr char kStyle[] = R"css(
entry.skirmish-table { min-height: 0; padding: 0 1px; }
button.skirmish-table { min-height: 0; min-width: 0; padding: 2px 1px 1px 1px; }
checkbutton.skirmish-table { min-height: 0; padding: 0; }
checkbutton.skirmish-table check { margin: 0 4px 0 0; }
)css";

// The default theme draws a ticked box from an SVG, which alone loads an SVG renderer and its XML
// and Unicode libraries (about 8 MB resident, and a good part of the start); GTK carries the same
// marks pre-rendered beside them, which the theme itself falls back to.
constexpr char kDefaultTheme[] = "Adwaita";
constexpr char kPrerenderedMarks[] = R"css(
checkbutton.skirmish-table check:checked {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/check-symbolic.symbolic.png"));
}
checkbutton.skirmish-table check:indeterminate {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/dash-symbolic.symbolic.png"));
}
)css";

// Other themes draw their marks as they like. GTK_THEME, where set, wins over the setting.
bool default_theme()
{
    if (const char* forced = g_getenv("GTK_THEME"))
        return g_str_equal(forced, kDefaultTheme) || g_str_has_prefix(forced, "Adwaita:");
    gchar* theme = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-theme-name", &theme, nullptr);
    const bool result = theme != nullptr && g_str_equal(theme, kDefaultTheme);
    g_free(theme);
    return result;
}

} // namespace

int display_dpi()
{
    const double resolution = gdk_screen_get_resolution(gdk_screen_get_default());
    return resolution > 0 ? static_cast<int>(std::lround(resolution)) : 96;
}

PangoFontDescription* font_description(const ui::Font& font)
{
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, faces_for(font.face).c_str());
    const int tenth_points = font.face.empty() ? kDialogTenthPoints : font.tenth_points;
    pango_font_description_set_size(description, tenth_points * PANGO_SCALE / 10);
    pango_font_description_set_weight(description, PANGO_WEIGHT_NORMAL);
    return description;
}

void install_style()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    std::string style = kStyle;
    if (default_theme()) style += kPrerenderedMarks;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, style.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

} // namespace platform
