// The program: one instance per window class, created on first show, and the moves between them.
#pragma once

#include "platform/codepage.h"
#include "ui/desktop.h"
#include "platform/file_system.h"
#include "ui/form.h"
#include "ui/window_ops.h"

#include <array>
#include <memory>

namespace app {

// The two code pages by name, so that they cannot change places unseen (the tests use GBK for
// both).
struct CodePages {
    const platform::CodePage& system;    // settings.ban's path
    const platform::CodePage& game_file; // the game's settings file
};

class Application final : public ui::WindowOps {
public:
    Application(ui::Desktop& desktop, platform::FileSystem& files, const CodePages& code_pages);
    ~Application();

    // Shows the main window with every field at its default.
    void start();
    // start(), then the event loop until the exit button ends it.
    void run();

    void show(ui::WindowName window) override;
    void hide(ui::WindowName window) override;
    void unload(ui::WindowName window) override;
    void end() override;

private:
    std::unique_ptr<ui::Form> make(ui::WindowName window);
    std::unique_ptr<ui::Form>& slot(ui::WindowName window);

    ui::Services services_;
    std::array<std::unique_ptr<ui::Form>, 4> forms_;
};

} // namespace app
