// The program's artwork, from the GResource compiled in at build time.
#include "platform/gtk/art.h"

#include <gio/gio.h>

// Made by glib-compile-resources from the artwork.
extern "C" void skirmishcfg_register_resource(void);

namespace platform {
namespace {

const char* resource_path(Art art)
{
    switch (art) {
    case Art::Emblem: return "/skirmishcfg/emblem.ico";
    case Art::OpenFolder: return "/skirmishcfg/open_folder.ico";
    case Art::Banner: return "/skirmishcfg/banner.bmp";
    case Art::AboutBanner: return "/skirmishcfg/about_banner.bmp";
    case Art::None: break;
    }
    return nullptr;
}

const char* resource_path(Cursor cursor)
{
    switch (cursor) {
    case Cursor::Hand: return "/skirmishcfg/hand.cur";
    case Cursor::HandExclaim: return "/skirmishcfg/hand_exclaim.cur";
    case Cursor::Pen: return "/skirmishcfg/pen.cur";
    case Cursor::Default: break;
    }
    return nullptr;
}

// Registered on first use, so that the program's own resources are found whoever asks first.
GdkPixbuf* decode(const char* path)
{
    static const bool registered = [] {
        skirmishcfg_register_resource();
        return true;
    }();
    if (path == nullptr || !registered) return nullptr;
    return gdk_pixbuf_new_from_resource(path, nullptr);
}

} // namespace

GdkPixbuf* load_icon(Art art, int size)
{
    GdkPixbuf* picture = decode(resource_path(art));
    if (picture == nullptr) return nullptr;
    if (gdk_pixbuf_get_width(picture) == size && gdk_pixbuf_get_height(picture) == size)
        return picture;
    GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, size, size, GDK_INTERP_BILINEAR);
    g_object_unref(picture);
    return scaled;
}

GdkPixbuf* load_bitmap(Art art, double scale)
{
    GdkPixbuf* picture = decode(resource_path(art));
    if (picture == nullptr || scale == 1.0) return picture;
    const int width = static_cast<int>(gdk_pixbuf_get_width(picture) * scale + 0.5);
    const int height = static_cast<int>(gdk_pixbuf_get_height(picture) * scale + 0.5);
    GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, width, height, GDK_INTERP_BILINEAR);
    g_object_unref(picture);
    return scaled;
}

GdkPixbuf* load_cursor_picture(Cursor cursor)
{
    return decode(resource_path(cursor));
}

GdkCursor* load_cursor(GdkDisplay* display, Cursor cursor)
{
    if (cursor == Cursor::Default) return gdk_cursor_new_from_name(display, "default");
    GdkPixbuf* picture = load_cursor_picture(cursor);
    if (picture == nullptr) return gdk_cursor_new_from_name(display, "default");
    // -1: the hot spot that the cursor file carries.
    GdkCursor* result = gdk_cursor_new_from_pixbuf(display, picture, -1, -1);
    g_object_unref(picture);
    return result;
}

} // namespace platform
