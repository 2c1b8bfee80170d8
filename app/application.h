// The program: one instance per window class, created on first show, and the moves between them.
#pragma once

#include "platform/codepage.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "platform/window_ops.h"

#include <array>
#include <memory>

namespace app {

class Application final : public platform::WindowOps {
public:
    Application(platform::Desktop& desktop, platform::FileSystem& files,
                const platform::CodePage& code_page, const platform::CodePage& game_code_page);
    ~Application();

    // Shows the main window with every field at its default.
    void start();
    // start(), then the event loop until the exit button ends it.
    void run();

    void show(platform::WindowName window) override;
    void hide(platform::WindowName window) override;
    void unload(platform::WindowName window) override;
    void end() override;

private:
    std::unique_ptr<platform::Form> make(platform::WindowName window);
    std::unique_ptr<platform::Form>& slot(platform::WindowName window);

    platform::Services services_;
    std::array<std::unique_ptr<platform::Form>, 4> forms_;
};

} // namespace app
