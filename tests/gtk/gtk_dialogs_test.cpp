// The GTK front end's modal boxes and file dialog: what they show, what they answer, and that no
// other window of the program takes input while one is up.
#include "gtk_support.h"

#include "platform/gtk/gtk_desktop.h"
#include "settings/main_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

using namespace gtk_support;
using platform::Answer;
using platform::MessageButtons;
using platform::MessageIcon;

// Runs `look` once the modal dialog of that type is up; `look` answers it.
void when_up(GType type, std::function<void(GtkWidget*)> look)
{
    struct Pending {
        GType type;
        std::function<void(GtkWidget*)> look;
        int tries = 0;
    };
    auto* pending = new Pending{type, std::move(look)};
    g_timeout_add(
        20,
        [](gpointer data) -> gboolean {
            auto* p = static_cast<Pending*>(data);
            GtkWidget* dialog = visible_toplevel_of_type(p->type);
            if (dialog == nullptr && ++p->tries < 250) return G_SOURCE_CONTINUE;
            if (dialog != nullptr) p->look(dialog);
            delete p;
            return G_SOURCE_REMOVE;
        },
        pending);
}

struct BoxSeen {
    std::string title;
    std::string text;
    GtkMessageType icon = GTK_MESSAGE_OTHER;
    bool has_ok = false;
    bool has_yes_no = false;
    bool transient_for_owner = false;
    bool others_blocked = false;
};

TEST(GtkDialogs, MessageBoxesShowTitleTextIconButtonsAndBlockTheOtherWindows)
{
    struct Case {
        MessageButtons buttons;
        MessageIcon icon;
        int response;
        GtkMessageType expected_icon;
        Answer expected;
    };
    const Case cases[] = {
        {MessageButtons::YesNo, MessageIcon::Question, GTK_RESPONSE_YES, GTK_MESSAGE_QUESTION,
         Answer::Yes},
        {MessageButtons::YesNo, MessageIcon::Warning, GTK_RESPONSE_NO, GTK_MESSAGE_WARNING,
         Answer::No},
        {MessageButtons::YesNo, MessageIcon::Question, GTK_RESPONSE_DELETE_EVENT,
         GTK_MESSAGE_QUESTION, Answer::No},
        {MessageButtons::Ok, MessageIcon::Information, GTK_RESPONSE_OK, GTK_MESSAGE_INFO,
         Answer::Ok},
    };
    platform::GtkDesktop desktop;
    Recorder events;
    const platform::WindowId id = desktop.create(settings::kForm1, events);
    desktop.show(id);
    settle();
    GtkWidget* owner = toplevel_titled(settings::kForm1.caption);
    ASSERT_NE(owner, nullptr);

    for (const Case& c : cases) {
        BoxSeen seen;
        when_up(GTK_TYPE_MESSAGE_DIALOG, [&](GtkWidget* box) {
            seen.title = gtk_window_get_title(GTK_WINDOW(box));
            gchar* text = nullptr;
            g_object_get(box, "text", &text, "message-type", &seen.icon, nullptr);
            seen.text = text != nullptr ? text : "";
            g_free(text);
            GtkDialog* dialog = GTK_DIALOG(box);
            seen.has_ok = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_OK) != nullptr;
            seen.has_yes_no =
                gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_YES) != nullptr &&
                gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_NO) != nullptr;
            seen.transient_for_owner =
                gtk_window_get_transient_for(GTK_WINDOW(box)) == GTK_WINDOW(owner);
            // The main window's Enter and access keys, the window manager's close: none reach it.
            press_key(owner, GDK_KEY_Return);
            press_key(owner, GDK_KEY_e, GDK_MOD1_MASK);
            request_close(owner);
            seen.others_blocked = events.clicks.empty() && events.close_requests == 0;
            gtk_dialog_response(dialog, c.response);
        });
        const Answer answer = desktop.message_box(
            id,
            {.text = "配置文件成功生成。", .title = "祝贺", .buttons = c.buttons, .icon = c.icon});
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(seen.title, "祝贺");
        EXPECT_EQ(seen.text, "配置文件成功生成。");
        EXPECT_EQ(seen.icon, c.expected_icon);
        EXPECT_EQ(seen.has_ok, c.buttons == MessageButtons::Ok);
        EXPECT_EQ(seen.has_yes_no, c.buttons == MessageButtons::YesNo);
        EXPECT_TRUE(seen.transient_for_owner);
        EXPECT_TRUE(seen.others_blocked);
    }
    // Once the box is gone, the window takes input again.
    press_key(owner, GDK_KEY_Return);
    EXPECT_EQ(events.clicks, std::vector<std::string>{"Command1"});
}

TEST(GtkDialogs, TheFileDialogKeepsItsTitleFilterAndInitialNameAndCancelsToNothing)
{
    testing_support::TempFolder folder;
    const std::string game_file = folder.path() + "/svrcfg_skirmish.ini";
    std::ofstream(game_file) << "[Settings]\r\n";

    platform::GtkDesktop desktop;
    Recorder events;
    const platform::WindowId id = desktop.create(settings::kForm1, events);
    desktop.show(id);
    settle();
    const platform::FileDialogSpec spec{"打开文件", game_file,
                                        "SL2Korvane遭遇战模式配置文件(svrcfg_skirmish.ini)",
                                        "svrcfg_skirmish.ini"};
    for (const bool accept : {false, true}) {
        std::string title;
        std::string filter;
        bool modal = false;
        when_up(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkWidget* dialog) {
            title = gtk_window_get_title(GTK_WINDOW(dialog));
            GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
            if (GtkFileFilter* f = gtk_file_chooser_get_filter(chooser))
                filter = gtk_file_filter_get_name(f);
            modal = gtk_window_get_modal(GTK_WINDOW(dialog));
            if (accept) {
                // The initial name is selected once its folder has been read.
                for (int i = 0; i < 200; ++i) {
                    gchar* chosen = gtk_file_chooser_get_filename(chooser);
                    const bool there = chosen != nullptr && game_file == chosen;
                    g_free(chosen);
                    if (there) break;
                    settle(10);
                }
            }
            gtk_dialog_response(GTK_DIALOG(dialog),
                                accept ? GTK_RESPONSE_ACCEPT : GTK_RESPONSE_CANCEL);
        });
        const std::optional<std::string> chosen = desktop.open_file_dialog(id, spec);
        EXPECT_EQ(title, "打开文件");
        EXPECT_EQ(filter, spec.filter_label);
        EXPECT_TRUE(modal);
        if (accept) {
            EXPECT_EQ(chosen, std::optional<std::string>(game_file));
        } else {
            EXPECT_EQ(chosen, std::nullopt);
        }
    }
}

} // namespace
