// The program's artwork, from the GResource compiled in at build time.
#include "platform/gtk/art.h"

#include <gio/gio.h>

#include <string>

// Made by glib-compile-resources from the artwork.
extern "C" void skirmishcfg_register_resource(void);

namespace platform {
namespace {

const char* resource_path(ui::Art art)
{
    switch (art) {
    case ui::Art::Emblem: return "/skirmishcfg/emblem.ico";
    case ui::Art::OpenFolder: return "/skirmishcfg/open_folder.ico";
    case ui::Art::Banner: return "/skirmishcfg/banner.bmp";
    case ui::Art::AboutBanner: return "/skirmishcfg/about_banner.bmp";
    case ui::Art::None: break;
    }
    return nullptr;
}

const char* resource_path(ui::Cursor cursor)
{
    switch (cursor) {
    case ui::Cursor::Hand: return "/skirmishcfg/hand.cur";
    case ui::Cursor::HandExclaim: return "/skirmishcfg/hand_exclaim.cur";
    case ui::Cursor::Pen: return "/skirmishcfg/pen.cur";
    case ui::Cursor::Default: break;
    }
    return nullptr;
}

// The cursor file as it is, for the hot spot that its decoded picture no longer carries.
const char* hot_spot_path(ui::Cursor cursor)
{
    switch (cursor) {
    case ui::Cursor::Hand: return "/skirmishcfg/hot-spots/hand.cur";
    case ui::Cursor::HandExclaim: return "/skirmishcfg/hot-spots/hand_exclaim.cur";
    case ui::Cursor::Pen: return "/skirmishcfg/hot-spots/pen.cur";
    case ui::Cursor::Default: break;
    }
    return nullptr;
}

void register_resources()
{
    static const bool registered = [] {
        skirmishcfg_register_resource();
        return true;
    }();
    (void)registered;
}

// The artwork was decoded at build time: the picture is the resource's own pixels, with no image
// loader, no guessing of the format and no copy.
GdkPixbuf* decode(const char* path)
{
    register_resources();
    if (path == nullptr) return nullptr;
    return gdk_pixbuf_new_from_resource(path, nullptr);
}

// A cursor file's first entry (the artwork's cursors hold one picture each) names its hot spot:
// a 6-byte header (reserved, type 2, count), then width, height, colours, reserved, x, y.
constexpr gsize kCursorHeader = 6;
constexpr gsize kEntryHotSpot = 4;
constexpr guint16 kCursorType = 2;

bool read_hot_spot(ui::Cursor cursor, int& x, int& y)
{
    register_resources();
    const char* path = hot_spot_path(cursor);
    GBytes* bytes = path != nullptr
                        ? g_resources_lookup_data(path, G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr)
                        : nullptr;
    if (bytes == nullptr) return false;
    gsize size = 0;
    const auto* data = static_cast<const guint8*>(g_bytes_get_data(bytes, &size));
    const auto word = [data](gsize at) {
        return static_cast<guint16>(data[at] | data[at + 1] << 8);
    };
    const gsize at = kCursorHeader + kEntryHotSpot;
    const bool valid = size >= at + 4 && word(2) == kCursorType && word(4) >= 1;
    if (valid) {
        x = word(at);
        y = word(at + 2);
    }
    g_bytes_unref(bytes);
    return valid;
}

} // namespace

GdkPixbuf* load_icon(ui::Art art, int size)
{
    GdkPixbuf* picture = decode(resource_path(art));
    if (picture == nullptr) return nullptr;
    if (gdk_pixbuf_get_width(picture) == size && gdk_pixbuf_get_height(picture) == size)
        return picture;
    GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, size, size, GDK_INTERP_BILINEAR);
    g_object_unref(picture);
    return scaled;
}

GdkPixbuf* load_bitmap(ui::Art art, double scale)
{
    GdkPixbuf* picture = decode(resource_path(art));
    if (picture == nullptr || scale == 1.0) return picture;
    const int width = static_cast<int>(gdk_pixbuf_get_width(picture) * scale + 0.5);
    const int height = static_cast<int>(gdk_pixbuf_get_height(picture) * scale + 0.5);
    GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, width, height, GDK_INTERP_BILINEAR);
    g_object_unref(picture);
    return scaled;
}

GdkPixbuf* load_cursor_picture(ui::Cursor cursor)
{
    int x = 0;
    int y = 0;
    if (!read_hot_spot(cursor, x, y)) return nullptr;
    GdkPixbuf* picture = decode(resource_path(cursor));
    if (picture == nullptr) return nullptr;
    gdk_pixbuf_set_option(picture, "x_hot", std::to_string(x).c_str());
    gdk_pixbuf_set_option(picture, "y_hot", std::to_string(y).c_str());
    return picture;
}

GdkCursor* load_cursor(GdkDisplay* display, ui::Cursor cursor)
{
    if (cursor == ui::Cursor::Default) return gdk_cursor_new_from_name(display, "default");
    // One cursor of each kind for the display, however many controls show it.
    const std::string key = "skirmish-cursor-" + std::to_string(static_cast<int>(cursor));
    if (auto* made = static_cast<GdkCursor*>(g_object_get_data(G_OBJECT(display), key.c_str())))
        return GDK_CURSOR(g_object_ref(made));
    GdkPixbuf* picture = load_cursor_picture(cursor);
    if (picture == nullptr) return gdk_cursor_new_from_name(display, "default");
    // -1: the hot spot that the picture carries.
    GdkCursor* result = gdk_cursor_new_from_pixbuf(display, picture, -1, -1);
    g_object_unref(picture);
    if (result != nullptr)
        g_object_set_data_full(G_OBJECT(display), key.c_str(), g_object_ref(result),
                               g_object_unref);
    return result;
}

} // namespace platform
