// The program: one instance per window class, created on first show, and the moves between them.
#pragma once

#include "platform/codepage.h"
#include "ui/desktop.h"
#include "platform/file_system.h"
#include "ui/form.h"
#include "app/window_ops.h"

#include <array>
#include <memory>

namespace app {

class Application final : public app::WindowOps {
public:
    Application(ui::Desktop& desktop, platform::FileSystem& files,
                const platform::CodePage& code_page, const platform::CodePage& game_code_page);
    ~Application();

    // Shows the main window with every field at its default.
    void start();
    // start(), then the event loop until the exit button ends it.
    void run();

    void show(app::WindowName window) override;
    void hide(app::WindowName window) override;
    void unload(app::WindowName window) override;
    void end() override;

private:
    std::unique_ptr<ui::Form> make(app::WindowName window);
    std::unique_ptr<ui::Form>& slot(app::WindowName window);

    app::Services services_;
    std::array<std::unique_ptr<ui::Form>, 4> forms_;
};

} // namespace app
