// The GTK 3 front end: any window table realised with GTK widgets in a layout of its rectangles.
#include "platform/native_desktop.h"

#include "ui/form_rules.h"
#include "ui/keyboard.h"
#include "platform/gtk/art.h"
#include "platform/gtk/controls.h"
#include "platform/gtk/display.h"
#include "platform/gtk/movie_strip.h"
#include "platform/gtk/table_layout.h"
#include "ui/naming_label.h"
#include "ui/twips.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr int kIconSize = 32;  // the window's icon, at 96 dpi
constexpr int kSmallIcon = 16; // the taskbar's and title bar's small one
constexpr char kWindowKey[] = "skirmish-window";
constexpr char kControlKey[] = "skirmish-control";

} // namespace

struct NativeDesktop::Window final : ui::FocusHost {
    struct Control {
        const ui::ControlSpec* spec = nullptr;
        ControlWidgets widgets;
        std::string caption; // buttons, check boxes and the frame: as the table writes it
    };

    const ui::FormSpec* spec = nullptr;
    ui::WindowEvents* events = nullptr;
    GtkWidget* window = nullptr;
    int dpi = ui::kStandardDpi;
    bool shown_before = false;
    bool placed = false; // where it was when last hidden
    int x = 0;
    int y = 0;
    std::vector<Control> controls;

    int px(int twips) const { return ui::twips_to_pixels(twips, dpi); }

    Control* control(std::string_view name)
    {
        for (Control& c : controls) {
            if (c.spec->name == name) return &c;
        }
        return nullptr;
    }

    GdkRectangle bounds(const ui::ControlSpec& c) const
    {
        const ui::Rect r = ui::pixel_rect(*spec, c, dpi);
        return {r.left, r.top, r.width, r.height};
    }

    bool usable(const ui::ControlSpec& control) const override
    {
        for (const Control& c : controls) {
            if (c.spec == &control)
                return gtk_widget_is_sensitive(c.widgets.widget) &&
                       gtk_widget_get_visible(c.widgets.widget);
        }
        return false;
    }

    const ui::ControlSpec* focused() const override
    {
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window));
        for (const Control& c : controls) {
            if (focus != nullptr &&
                (focus == c.widgets.widget || gtk_widget_is_ancestor(focus, c.widgets.widget)))
                return c.spec;
        }
        return nullptr;
    }

    void focus(const ui::ControlSpec* spec) override
    {
        Control* c = spec != nullptr ? control(spec->name) : nullptr;
        if (c == nullptr) return;
        // An entry selects its whole text as it takes the focus, as a dialog's edit box does.
        gtk_widget_grab_focus(c->widgets.widget);
        mark_default_button();
    }

    // A focused button is the one Enter presses, and is drawn so; otherwise the default one.
    void mark_default_button()
    {
        const ui::ControlSpec* target = ui::default_button(*spec, focused());
        Control* c = target != nullptr ? control(target->name) : nullptr;
        gtk_window_set_default(GTK_WINDOW(window), c != nullptr ? c->widgets.widget : nullptr);
    }

    void press(const ui::ControlSpec* spec) override
    {
        Control* c = spec != nullptr ? control(spec->name) : nullptr;
        if (c != nullptr && GTK_IS_BUTTON(c->widgets.widget))
            gtk_button_clicked(GTK_BUTTON(c->widgets.widget));
    }
};

namespace {

using Window = NativeDesktop::Window;

Window* window_of(GtkWidget* widget)
{
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    return top != nullptr ? static_cast<Window*>(g_object_get_data(G_OBJECT(top), kWindowKey))
                          : nullptr;
}

const ui::ControlSpec* spec_of(GtkWidget* widget)
{
    return static_cast<const ui::ControlSpec*>(g_object_get_data(G_OBJECT(widget), kControlKey));
}

// The handler may destroy this very window, so nothing of it is touched afterwards; and nothing
// thrown may unwind into GTK.
void report_click(GtkWidget* widget)
{
    try {
        Window* w = window_of(widget);
        const ui::ControlSpec* c = spec_of(widget);
        if (w != nullptr && c != nullptr) w->events->on_click(c->name);
    } catch (...) {
    }
}

void clicked(GtkWidget* widget, gpointer)
{
    report_click(widget);
}

gboolean label_pressed(GtkWidget* widget, GdkEventButton* event, gpointer)
{
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) return FALSE;
    report_click(widget);
    return TRUE;
}

// A window put back where it was is moved by its frame's corner, which is what
// gtk_window_get_position gives with this gravity.
gboolean placed(GtkWidget* window, GdkEvent*, gpointer)
{
    gtk_window_set_gravity(GTK_WINDOW(window), GDK_GRAVITY_NORTH_WEST);
    g_signal_handlers_disconnect_by_func(window, reinterpret_cast<gpointer>(placed), nullptr);
    return FALSE;
}

// No close box, yet Alt+F4 and the window manager still ask; the window decides.
gboolean delete_requested(GtkWidget* widget, GdkEvent*, gpointer)
{
    try {
        if (Window* w = window_of(widget)) w->events->on_close_request();
    } catch (...) {
    }
    return TRUE;
}

// The keyboard of a dialog, by the window's own table (ui/keyboard.h); GTK's own focus chain and
// mnemonics never see these keys.
gboolean key_pressed(GtkWidget* widget, GdkEventKey* event, gpointer)
{
    try {
        Window* w = window_of(widget);
        if (w == nullptr) return FALSE;
        const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
        const guint key = event->keyval;
        ui::Key pressed{ui::Key::Kind::Char, 0, (modifiers & GDK_SHIFT_MASK) != 0,
                        (modifiers & GDK_MOD1_MASK) != 0, (modifiers & GDK_CONTROL_MASK) != 0};
        if (key == GDK_KEY_Tab || key == GDK_KEY_ISO_Left_Tab || key == GDK_KEY_KP_Tab) {
            pressed.kind = ui::Key::Kind::Tab;
            pressed.shift = pressed.shift || key == GDK_KEY_ISO_Left_Tab;
        } else if (key == GDK_KEY_Return || key == GDK_KEY_KP_Enter || key == GDK_KEY_ISO_Enter) {
            pressed.kind = ui::Key::Kind::Enter;
        } else {
            pressed.ch = gdk_keyval_to_unicode(gdk_keyval_to_lower(key));
        }
        // A click may destroy this very window: nothing of it is touched afterwards.
        return ui::handle_key(*w->spec, *w, pressed) ? TRUE : FALSE;
    } catch (...) {
    }
    return FALSE;
}

void focus_moved(GtkWindow* window, GtkWidget*, gpointer)
{
    if (Window* w = window_of(GTK_WIDGET(window))) w->mark_default_button();
}

// Access keys are always underlined and the focus always shown, as the captions promise and as
// the Windows program draws them; GTK would show them only after a key was pressed.
void keep_keyboard_cues(GObject* window, GParamSpec*, gpointer)
{
    GtkWindow* native = GTK_WINDOW(window);
    if (!gtk_window_get_mnemonics_visible(native)) gtk_window_set_mnemonics_visible(native, TRUE);
    if (!gtk_window_get_focus_visible(native)) gtk_window_set_focus_visible(native, TRUE);
}

void put_cursor(GtkWidget* widget, ui::Cursor cursor)
{
    GdkCursor* shape = load_cursor(gtk_widget_get_display(widget), cursor);
    set_widget_cursor(widget, shape);
    if (shape != nullptr) g_object_unref(shape);
}

void control_realized(GtkWidget* widget, gpointer)
{
    if (const ui::ControlSpec* c = spec_of(widget)) put_cursor(widget, c->cursor);
}

void window_realized(GtkWidget* widget, gpointer)
{
    // No control box: a title bar without a window menu and without minimise, maximise or close
    // buttons, where the window manager reads these hints; the window is left only through its
    // own buttons.
    GdkWindow* native = gtk_widget_get_window(widget);
    gdk_window_set_decorations(native,
                               static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE));
    gdk_window_set_functions(native, GDK_FUNC_MOVE);
    Window* w = window_of(widget);
    if (w == nullptr || w->spec->cursor == ui::Cursor::Default) return;
    GdkCursor* shape = load_cursor(gtk_widget_get_display(widget), w->spec->cursor);
    gdk_window_set_cursor(native, shape);
    if (shape != nullptr) g_object_unref(shape);
}

void set_window_icon(GtkWidget* window, ui::Art art, int dpi)
{
    GList* icons = nullptr;
    for (int size : {kIconSize, kSmallIcon}) {
        if (GdkPixbuf* icon = load_icon(art, size * dpi / ui::kStandardDpi))
            icons = g_list_append(icons, icon);
    }
    gtk_window_set_icon_list(GTK_WINDOW(window), icons);
    g_list_free_full(icons, g_object_unref);
}

// The label that names a text box speaks for it, and the box is known as labelled by it.
void relate_label(Window& w, Window::Control& box)
{
    const ui::ControlSpec* label = ui::naming_label(*w.spec, *box.spec);
    if (label == nullptr) return;
    Window::Control* named = w.control(label->name);
    if (named == nullptr || named->widgets.widget == nullptr) return;
    AtkObject* box_object = gtk_widget_get_accessible(box.widgets.widget);
    AtkObject* label_object = gtk_widget_get_accessible(named->widgets.widget);
    atk_object_add_relationship(box_object, ATK_RELATION_LABELLED_BY, label_object);
    atk_object_add_relationship(label_object, ATK_RELATION_LABEL_FOR, box_object);
}

// GTK 3 no longer draws a message box's icon; the box shows it as Windows does, left of the text.
// The themes of today may carry only the symbolic form of an icon.
void show_message_icon(GtkWidget* box, ui::MessageIcon icon)
{
    const char* name = "dialog-information";
    if (icon == ui::MessageIcon::Question) name = "dialog-question";
    if (icon == ui::MessageIcon::Warning) name = "dialog-warning";
    const std::string symbolic = std::string(name) + "-symbolic";
    const char* names[] = {name, symbolic.c_str(), nullptr};
    GIcon* themed = g_themed_icon_new_from_names(const_cast<char**>(names), -1);
    GtkWidget* image = gtk_image_new_from_gicon(themed, GTK_ICON_SIZE_DIALOG);
    g_object_unref(themed);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    GtkWidget* text = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(box));
    GtkWidget* row = gtk_widget_get_parent(text);
    if (row == nullptr || !GTK_IS_BOX(row)) {
        gtk_widget_destroy(image);
        return;
    }
    gtk_box_pack_start(GTK_BOX(row), image, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), image, 0);
    gtk_widget_show(image);
}

} // namespace

struct NativeDesktop::State {
    std::map<ui::WindowId, std::unique_ptr<Window>> windows;
    ui::WindowId next_id = 1;
    bool running = false;
    GtkWindow* modal = nullptr; // the box or file dialog that is up

    Window* find(ui::WindowId id) const;
    GtkWindow* native(ui::WindowId id) const;
    // Runs a message box or the file dialog modally to the whole program.
    int run_modal(GtkWidget* dialog);
    static gboolean window_activated(GtkWidget* widget, GdkEvent* event, gpointer state);
};

NativeDesktop::NativeDesktop() : state_(std::make_unique<State>())
{
    install_style();
}

NativeDesktop::~NativeDesktop()
{
    while (!state_->windows.empty()) destroy(state_->windows.begin()->first);
}

ui::WindowId NativeDesktop::create(const ui::FormSpec& spec, ui::WindowEvents& events)
{
    auto window = std::make_unique<Window>();
    Window& w = *window;
    w.spec = &spec;
    w.events = &events;
    w.dpi = display_dpi();

    w.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* native = GTK_WINDOW(w.window);
    g_object_set_data(G_OBJECT(w.window), kWindowKey, &w);
    gtk_window_set_title(native, std::string(spec.caption).c_str());
    gtk_window_set_role(native, std::string(spec.name).c_str());
    atk_object_set_accessible_id(gtk_widget_get_accessible(w.window),
                                 std::string(spec.name).c_str());
    gtk_window_set_resizable(native, FALSE);
    gtk_window_set_deletable(native, FALSE);
    gtk_window_set_position(native, GTK_WIN_POS_CENTER);
    // The first place asked for is the window's centre, so that the window manager centres the
    // whole window, title bar and border included, as Windows does; without it the frame would
    // hang below the centre by its title bar. Once placed, places are corners again (placed()).
    gtk_window_set_gravity(native, GDK_GRAVITY_CENTER);
    g_signal_connect(w.window, "map-event", G_CALLBACK(placed), nullptr);
    if (spec.border == ui::Border::FixedTool) {
        gtk_window_set_type_hint(native, GDK_WINDOW_TYPE_HINT_UTILITY);
        gtk_window_set_skip_taskbar_hint(native, TRUE);
        gtk_window_set_skip_pager_hint(native, TRUE);
    } else if (spec.icon != ui::Art::None) {
        set_window_icon(w.window, spec.icon, w.dpi);
    }
    g_signal_connect(w.window, "delete-event", G_CALLBACK(delete_requested), nullptr);
    g_signal_connect(w.window, "focus-in-event", G_CALLBACK(State::window_activated), state_.get());
    g_signal_connect(w.window, "key-press-event", G_CALLBACK(key_pressed), nullptr);
    g_signal_connect_after(w.window, "set-focus", G_CALLBACK(focus_moved), nullptr);
    g_signal_connect(w.window, "notify::mnemonics-visible", G_CALLBACK(keep_keyboard_cues),
                     nullptr);
    g_signal_connect(w.window, "notify::focus-visible", G_CALLBACK(keep_keyboard_cues), nullptr);
    g_signal_connect_after(w.window, "realize", G_CALLBACK(window_realized), nullptr);

    GtkWidget* layout = table_layout_new(w.px(spec.client_width), w.px(spec.client_height));
    gtk_container_add(GTK_CONTAINER(w.window), layout);

    w.controls.reserve(spec.controls.size());
    for (const ui::ControlSpec& c : spec.controls) {
        Window::Control control{&c, make_control(spec, c, w.dpi), std::string(c.text)};
        for (GtkWidget* widget : {control.widgets.outer, control.widgets.widget}) {
            g_object_set_data(G_OBJECT(widget), kControlKey, const_cast<ui::ControlSpec*>(&c));
        }
        atk_object_set_accessible_id(gtk_widget_get_accessible(control.widgets.widget),
                                     std::string(c.name).c_str());
        w.controls.push_back(control);
    }
    // The table lists controls from the top of the z-order down; each one added goes above
    // those before it, in drawing and in taking the mouse.
    for (auto it = w.controls.rbegin(); it != w.controls.rend(); ++it) {
        table_layout_put(layout, it->widgets.outer, w.bounds(*it->spec));
    }
    for (Window::Control& c : w.controls) {
        GtkWidget* outer = c.widgets.outer;
        switch (c.spec->kind) {
        case ui::ControlKind::Button:
        case ui::ControlKind::CheckBox:
            // Check boxes tick themselves on a click; the program only reads them. Their
            // initial state was set before this handler was connected.
            g_signal_connect(c.widgets.widget,
                             c.spec->kind == ui::ControlKind::Button ? "clicked" : "toggled",
                             G_CALLBACK(clicked), nullptr);
            break;
        case ui::ControlKind::Label:
        case ui::ControlKind::LinkLabel:
            g_signal_connect(outer, "button-press-event", G_CALLBACK(label_pressed), nullptr);
            break;
        case ui::ControlKind::TextBox: relate_label(w, c); break;
        default: break;
        }
        // Text boxes keep the text cursor of their own.
        if (c.spec->kind != ui::ControlKind::TextBox)
            g_signal_connect_after(outer, "realize", G_CALLBACK(control_realized), nullptr);
    }
    gtk_widget_show_all(layout);
    // Measured once shown: a hidden widget asks for no room.
    for (Window::Control& c : w.controls) fit_caption(c.widgets, *c.spec, w.bounds(*c.spec).width);
    w.mark_default_button();

    const ui::WindowId result = state_->next_id++;
    state_->windows.emplace(result, std::move(window));
    return result;
}

void NativeDesktop::show(ui::WindowId id)
{
    Window* w = state_->find(id);
    if (w == nullptr) return;
    if (w->placed) gtk_window_move(GTK_WINDOW(w->window), w->x, w->y);
    if (!w->shown_before) {
        w->shown_before = true;
        if (const ui::ControlSpec* first = ui::first_focus(*w->spec, *w)) w->focus(first);
    }
    keep_keyboard_cues(G_OBJECT(w->window), nullptr, nullptr);
    // Stamped with the user's click or key, so that a window manager that keeps new windows from
    // taking the keyboard still hands it to the window the user asked for, as Windows does; the
    // activation request is what metacity heeds for a window shown for the first time.
    const guint32 time = gtk_get_current_event_time();
    gtk_window_present_with_time(GTK_WINDOW(w->window), time);
    if (time != GDK_CURRENT_TIME) gdk_window_focus(gtk_widget_get_window(w->window), time);
}

void NativeDesktop::hide(ui::WindowId id)
{
    Window* w = state_->find(id);
    if (w == nullptr) return;
    // Shown again, it comes back where it was.
    if (gtk_widget_get_visible(w->window)) {
        gtk_window_get_position(GTK_WINDOW(w->window), &w->x, &w->y);
        w->placed = true;
    }
    gtk_widget_hide(w->window);
}

void NativeDesktop::destroy(ui::WindowId id)
{
    auto it = state_->windows.find(id);
    if (it == state_->windows.end()) return;
    std::unique_ptr<Window> w = std::move(it->second);
    state_->windows.erase(it);
    g_object_set_data(G_OBJECT(w->window), kWindowKey, nullptr);
    gtk_widget_destroy(w->window);
}

std::string NativeDesktop::text(ui::WindowId id, std::string_view control) const
{
    Window* w = state_->find(id);
    Window::Control* c = w != nullptr ? w->control(control) : nullptr;
    if (c == nullptr) return {};
    switch (c->spec->kind) {
    case ui::ControlKind::TextBox: return gtk_entry_get_text(GTK_ENTRY(c->widgets.widget));
    case ui::ControlKind::Label:
    case ui::ControlKind::LinkLabel: return gtk_label_get_text(GTK_LABEL(c->widgets.caption));
    default: return c->caption;
    }
}

void NativeDesktop::set_text(ui::WindowId id, std::string_view control, std::string_view text)
{
    Window* w = state_->find(id);
    Window::Control* c = w != nullptr ? w->control(control) : nullptr;
    if (c == nullptr) return;
    c->caption = std::string(text);
    // A value set by the program is no user's doing: no handler hears of it.
    GtkWidget* widget = c->widgets.widget;
    g_signal_handlers_block_matched(widget, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                    reinterpret_cast<gpointer>(clicked), nullptr);
    set_caption(c->widgets, *c->spec, text);
    fit_caption(c->widgets, *c->spec, w->bounds(*c->spec).width);
    g_signal_handlers_unblock_matched(widget, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                      reinterpret_cast<gpointer>(clicked), nullptr);
}

ui::CheckState NativeDesktop::check(ui::WindowId id, std::string_view control) const
{
    Window* w = state_->find(id);
    Window::Control* c = w != nullptr ? w->control(control) : nullptr;
    if (c == nullptr || !GTK_IS_TOGGLE_BUTTON(c->widgets.widget)) return ui::CheckState::Unchecked;
    GtkToggleButton* box = GTK_TOGGLE_BUTTON(c->widgets.widget);
    if (gtk_toggle_button_get_inconsistent(box)) return ui::CheckState::Grayed;
    return gtk_toggle_button_get_active(box) ? ui::CheckState::Checked : ui::CheckState::Unchecked;
}

ui::Answer NativeDesktop::message_box(ui::WindowId owner, const ui::MessageBoxRequest& request)
{
    const bool yes_no = request.buttons == ui::MessageButtons::YesNo;
    GtkMessageType icon = GTK_MESSAGE_INFO;
    if (request.icon == ui::MessageIcon::Question) icon = GTK_MESSAGE_QUESTION;
    if (request.icon == ui::MessageIcon::Warning) icon = GTK_MESSAGE_WARNING;
    // Modal: while it is up, no other window of the program takes input.
    GtkWidget* box = gtk_message_dialog_new(state_->native(owner), GTK_DIALOG_MODAL, icon,
                                            yes_no ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK, "%s",
                                            std::string(request.text).c_str());
    gtk_window_set_title(GTK_WINDOW(box), std::string(request.title).c_str());
    show_message_icon(box, request.icon);
    // Enter answers Yes, as the first button of a Windows box does.
    if (yes_no) gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_YES);
    const int response = state_->run_modal(box);
    gtk_widget_destroy(box);
    if (!yes_no) return ui::Answer::Ok;
    // Escape or a close from the window manager is no Yes.
    return response == GTK_RESPONSE_YES ? ui::Answer::Yes : ui::Answer::No;
}

std::optional<std::string> NativeDesktop::open_file_dialog(ui::WindowId owner, const ui::FileDialogSpec& spec)
{
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        std::string(spec.title).c_str(), state_->native(owner), GTK_FILE_CHOOSER_ACTION_OPEN,
        g_dgettext("gtk30", "_Cancel"), GTK_RESPONSE_CANCEL, g_dgettext("gtk30", "_Open"),
        GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    // The size of the open dialog of Windows, where GTK would fill the screen and more.
    gtk_window_set_default_size(GTK_WINDOW(dialog), 640, 420);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, std::string(spec.filter_label).c_str());
    gtk_file_filter_add_pattern(filter, std::string(spec.filter_pattern).c_str());
    gtk_file_chooser_add_filter(chooser, filter);
    // The initial name, as the open dialog of Windows takes it: a full path, or a name in the
    // current folder. Where that file exists it is selected.
    if (!spec.initial_name.empty()) {
        gchar* folder = g_get_current_dir();
        gchar* path = g_path_is_absolute(spec.initial_name.c_str())
                          ? g_strdup(spec.initial_name.c_str())
                          : g_build_filename(folder, spec.initial_name.c_str(), nullptr);
        gtk_file_chooser_set_filename(chooser, path);
        g_free(path);
        g_free(folder);
    }
    std::optional<std::string> chosen;
    if (state_->run_modal(dialog) == GTK_RESPONSE_ACCEPT) {
        if (gchar* file = gtk_file_chooser_get_filename(chooser)) {
            if (gchar* utf8 = g_filename_to_utf8(file, -1, nullptr, nullptr, nullptr)) {
                chosen = utf8;
                g_free(utf8);
            }
            g_free(file);
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

int NativeDesktop::State::run_modal(GtkWidget* dialog)
{
    GtkWindow* outer = modal;
    modal = GTK_WINDOW(dialog);
    const int response = gtk_dialog_run(GTK_DIALOG(dialog));
    modal = outer;
    return response;
}

// A click on another of the program's windows while a box or the file dialog is up brings the
// dialog back to the front, as Windows does: a window manager raises the clicked window, which
// takes no input then, and would hide the dialog the user must answer behind it.
gboolean NativeDesktop::State::window_activated(GtkWidget* widget, GdkEvent*, gpointer state)
{
    GtkWindow* modal = static_cast<State*>(state)->modal;
    if (modal != nullptr && GTK_WIDGET(modal) != widget)
        gtk_window_present_with_time(modal, gtk_get_current_event_time());
    return FALSE;
}

void NativeDesktop::shell_open(ui::WindowId owner, const ui::OpenRequest& request)
{
    // Web and mail addresses go to the desktop's handler for their scheme, a document by its
    // file URI to the application registered for its type. The result is not looked at.
    gchar* uri = request.kind == ui::OpenKind::Address
                     ? g_strdup(request.target.c_str())
                     : g_filename_to_uri(request.target.c_str(), nullptr, nullptr);
    if (uri == nullptr) return;
    gtk_show_uri_on_window(state_->native(owner), uri, gtk_get_current_event_time(), nullptr);
    g_free(uri);
}

void NativeDesktop::set_movie(ui::WindowId id, std::string_view control, std::string_view path)
{
    Window* w = state_->find(id);
    Window::Control* c = w != nullptr ? w->control(control) : nullptr;
    if (c != nullptr && c->spec->kind == ui::ControlKind::Movie) movie_strip_play(c->widgets.widget, path);
}

void NativeDesktop::run()
{
    state_->running = true;
    gtk_main();
    state_->running = false;
}

void NativeDesktop::quit()
{
    while (!state_->windows.empty()) destroy(state_->windows.begin()->first);
    if (state_->running && gtk_main_level() > 0) gtk_main_quit();
}

NativeDesktop::Window* NativeDesktop::State::find(ui::WindowId id) const
{
    auto it = windows.find(id);
    return it == windows.end() ? nullptr : it->second.get();
}

GtkWindow* NativeDesktop::State::native(ui::WindowId id) const
{
    Window* w = find(id);
    return w != nullptr ? GTK_WINDOW(w->window) : nullptr;
}

} // namespace platform
