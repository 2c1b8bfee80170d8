// Each kind of control of a window table as GTK widgets: graphical buttons, flat check boxes,
// length-limited entries, labels and links, the group frame, pictures, the movie strip.
#include "platform/gtk/controls.h"

#include "platform/gtk/art.h"
#include "platform/gtk/caption_label.h"
#include "platform/gtk/display.h"
#include "platform/gtk/movie_strip.h"
#include "ui/naming_label.h"
#include "ui/twips.h"

namespace platform {
namespace {

constexpr int kIconSize = 32; // button pictures, at 96 dpi
// About 320 pixels of the tip's font, where Windows wraps a long tip.
constexpr int kTipWidthChars = 44;

int scaled(int pixels, int dpi)
{
    return (pixels * dpi + ui::kStandardDpi / 2) / ui::kStandardDpi;
}

// The table's font, underline and colour, as attributes of the text, which leaves the theme
// alone.
PangoAttrList* text_attributes(const ui::ControlSpec& c)
{
    PangoAttrList* list = pango_attr_list_new();
    PangoFontDescription* font = font_description(c.font);
    pango_attr_list_insert(list, pango_attr_font_desc_new(font));
    pango_font_description_free(font);
    if (c.font.underline)
        pango_attr_list_insert(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (c.colour != ui::kDefaultColour) {
        const auto channel = [&](int shift) {
            return static_cast<guint16>(((c.colour >> shift) & 0xFFU) * 0x101U);
        };
        pango_attr_list_insert(list,
                               pango_attr_foreground_new(channel(16), channel(8), channel(0)));
    }
    return list;
}

// A caption that wraps within its control's width where it has to (fit_caption), as Windows does
// for multi-line buttons and static text; Chinese text breaks between any two characters.
GtkWidget* caption_label(const ui::ControlSpec& c, bool mnemonic)
{
    GtkWidget* label = mnemonic ? caption_label_new(mnemonic_caption(c.text).c_str(), true)
                                : caption_label_new(std::string(c.text).c_str(), false);
    PangoAttrList* attributes = text_attributes(c);
    gtk_label_set_attributes(GTK_LABEL(label), attributes);
    pango_attr_list_unref(attributes);
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
    return label;
}

void add_table_class(GtkWidget* widget)
{
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), kTableStyleClass);
}

// Long tips wrap at about the width that Windows gives them (320 pixels), not across the screen.
gboolean wrapped_tip(GtkWidget* widget, gint, gint, gboolean, GtkTooltip* tooltip, gpointer)
{
    gchar* text = gtk_widget_get_tooltip_text(widget);
    if (text == nullptr) return FALSE;
    GtkWidget* label = gtk_label_new(text);
    g_free(text);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
    gtk_label_set_max_width_chars(GTK_LABEL(label), kTipWidthChars);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_tooltip_set_custom(tooltip, label);
    return TRUE;
}

void describe(GtkWidget* widget, const ui::ControlSpec& c, std::string_view name)
{
    if (!c.tooltip.empty()) {
        gtk_widget_set_tooltip_text(widget, std::string(c.tooltip).c_str());
        g_signal_connect(widget, "query-tooltip", G_CALLBACK(wrapped_tip), nullptr);
    }
    AtkObject* accessible = gtk_widget_get_accessible(widget);
    if (!name.empty()) atk_object_set_name(accessible, std::string(name).c_str());
    if (!c.tooltip.empty()) atk_object_set_description(accessible, std::string(c.tooltip).c_str());
}

// A picture above the caption, as Windows draws a graphical button.
ControlWidgets make_button(const ui::ControlSpec& c, int dpi)
{
    GtkWidget* button = gtk_button_new();
    add_table_class(button);
    gtk_widget_set_can_default(button, TRUE);
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    if (GdkPixbuf* icon = load_icon(c.picture, scaled(kIconSize, dpi))) {
        GtkWidget* image = gtk_image_new_from_pixbuf(icon);
        g_object_unref(icon);
        gtk_box_pack_start(GTK_BOX(column), image, FALSE, FALSE, 0);
    }
    GtkWidget* label = caption_label(c, true);
    gtk_label_set_justify(GTK_LABEL(label), GTK_JUSTIFY_CENTER);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), button);
    // The picture at the top, the caption centred in the room below it, as Windows places them.
    gtk_widget_set_valign(label, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(column), label, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(button), column);
    describe(button, c, plain_caption(c.text));
    return {button, button, label};
}

ControlWidgets make_check_box(const ui::ControlSpec& c)
{
    GtkWidget* box = gtk_check_button_new();
    add_table_class(box);
    GtkWidget* label = caption_label(c, true);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), box);
    gtk_container_add(GTK_CONTAINER(box), label);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(box), c.checked);
    describe(box, c, plain_caption(c.text));
    return {box, box, label};
}

ControlWidgets make_text_box(const ui::FormSpec& form, const ui::ControlSpec& c)
{
    GtkWidget* entry = gtk_entry_new();
    add_table_class(entry);
    gtk_entry_set_text(GTK_ENTRY(entry), std::string(c.text).c_str());
    // Counted in characters, as Windows counts them: typing past it is refused.
    if (c.max_length > 0) gtk_entry_set_max_length(GTK_ENTRY(entry), c.max_length);
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
    PangoAttrList* attributes = text_attributes(c);
    gtk_entry_set_attributes(GTK_ENTRY(entry), attributes);
    pango_attr_list_unref(attributes);
    const ui::ControlSpec* label = ui::naming_label(form, c);
    describe(entry, c, label != nullptr ? label->text : std::string_view());
    return {entry, entry, nullptr};
}

// Labels take the mouse through an input-only box of their own, for their cursor, their tool
// tip and (links) their click anywhere in the row.
ControlWidgets make_label(const ui::ControlSpec& c)
{
    GtkWidget* label = caption_label(c, false);
    const bool right = c.align == ui::Align::Right;
    gtk_label_set_xalign(GTK_LABEL(label), right ? 1.0f : 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_justify(GTK_LABEL(label), right ? GTK_JUSTIFY_RIGHT : GTK_JUSTIFY_LEFT);
    describe(label, c, c.text);
    if (c.kind == ui::ControlKind::LinkLabel) {
        atk_object_set_role(gtk_widget_get_accessible(label), ATK_ROLE_LINK);
    }
    GtkWidget* input = gtk_event_box_new();
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(input), FALSE);
    gtk_container_add(GTK_CONTAINER(input), label);
    return {input, label, label};
}

ControlWidgets make_frame(const ui::ControlSpec& c)
{
    GtkWidget* frame = gtk_frame_new(nullptr);
    GtkWidget* label = caption_label(c, true);
    gtk_frame_set_label_widget(GTK_FRAME(frame), label);
    gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_ETCHED_IN);
    describe(frame, c, plain_caption(c.text));
    GtkWidget* input = gtk_event_box_new();
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(input), FALSE);
    gtk_container_add(GTK_CONTAINER(input), frame);
    return {input, frame, label};
}

ControlWidgets make_picture(const ui::ControlSpec& c, int dpi)
{
    GtkWidget* image = gtk_image_new();
    if (GdkPixbuf* picture = load_bitmap(c.picture, static_cast<double>(dpi) / ui::kStandardDpi)) {
        gtk_image_set_from_pixbuf(GTK_IMAGE(image), picture);
        g_object_unref(picture);
    }
    gtk_widget_set_halign(image, GTK_ALIGN_START);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    describe(image, c, {});
    GtkWidget* input = gtk_event_box_new();
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(input), FALSE);
    gtk_container_add(GTK_CONTAINER(input), image);
    return {input, image, nullptr};
}

void set_cursor_on_windows_of(GtkWidget* widget, GdkWindow* parent, GdkCursor* cursor)
{
    for (GList* child = gdk_window_peek_children(parent); child != nullptr; child = child->next) {
        auto* window = static_cast<GdkWindow*>(child->data);
        gpointer owner = nullptr;
        gdk_window_get_user_data(window, &owner);
        if (owner == widget) gdk_window_set_cursor(window, cursor);
    }
}

} // namespace

std::string mnemonic_caption(std::string_view caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] == '&') {
                out += '&';
            } else {
                out += '_';
                out += caption[i] == '_' ? "__" : std::string(1, caption[i]);
            }
        } else if (c == '_') {
            out += "__";
        } else {
            out += c;
        }
    }
    return out;
}

std::string plain_caption(std::string_view caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

ControlWidgets make_control(const ui::FormSpec& form, const ui::ControlSpec& c, int dpi)
{
    switch (c.kind) {
    case ui::ControlKind::Button: return make_button(c, dpi);
    case ui::ControlKind::CheckBox: return make_check_box(c);
    case ui::ControlKind::TextBox: return make_text_box(form, c);
    case ui::ControlKind::Label:
    case ui::ControlKind::LinkLabel: return make_label(c);
    case ui::ControlKind::Frame: return make_frame(c);
    case ui::ControlKind::Picture: return make_picture(c, dpi);
    case ui::ControlKind::Movie: {
        GtkWidget* strip = movie_strip_new();
        // Named after the movie's file once the window loads it.
        describe(strip, c, {});
        atk_object_set_role(gtk_widget_get_accessible(strip), ATK_ROLE_ANIMATION);
        return {strip, strip, nullptr};
    }
    }
    return {};
}

void set_caption(const ControlWidgets& control, const ui::ControlSpec& spec, std::string_view text)
{
    if (spec.kind == ui::ControlKind::TextBox) {
        gtk_entry_set_text(GTK_ENTRY(control.widget), std::string(text).c_str());
        return;
    }
    if (control.caption == nullptr) return;
    const bool mnemonic = spec.kind == ui::ControlKind::Button || spec.kind == ui::ControlKind::CheckBox ||
                          spec.kind == ui::ControlKind::Frame;
    if (mnemonic) {
        gtk_label_set_text_with_mnemonic(GTK_LABEL(control.caption),
                                         mnemonic_caption(text).c_str());
        atk_object_set_name(gtk_widget_get_accessible(control.widget), plain_caption(text).c_str());
    } else {
        gtk_label_set_text(GTK_LABEL(control.caption), std::string(text).c_str());
        atk_object_set_name(gtk_widget_get_accessible(control.caption), std::string(text).c_str());
    }
}

void fit_caption(const ControlWidgets& control, const ui::ControlSpec& spec, int width)
{
    const bool wraps = spec.kind == ui::ControlKind::Button || spec.kind == ui::ControlKind::CheckBox ||
                       spec.kind == ui::ControlKind::Label || spec.kind == ui::ControlKind::LinkLabel;
    if (!wraps || control.caption == nullptr) return;
    caption_label_fit(control.caption, control.outer, width);
}

void set_widget_cursor(GtkWidget* widget, GdkCursor* cursor)
{
    if (!gtk_widget_get_realized(widget)) return;
    if (gtk_widget_get_has_window(widget)) {
        gdk_window_set_cursor(gtk_widget_get_window(widget), cursor);
        return;
    }
    // Input-only windows (buttons, check boxes, event boxes) are children of the parent's window.
    if (GdkWindow* parent = gtk_widget_get_parent_window(widget))
        set_cursor_on_windows_of(widget, parent, cursor);
}

} // namespace platform
