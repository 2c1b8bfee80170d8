// Form1, the main window: the server options in one frame and the row of five buttons.
#pragma once

#include "ui/form.h"
#include "ui/window_ops.h"

#include <array>

namespace settings {

extern const ui::FormSpec kForm1;

class Form1 final : public ui::Form {
public:
    explicit Form1(const ui::Services& services);

    void on_click(std::string_view control) override;
    // Without a close box this only comes from the platform (Alt+F4): it ends the program, as
    // the exit button does, so that the program never runs on without a window.
    void on_close_request() override;

    static const std::array<ui::ClickHandler<Form1>, 5> kClicks;

private:
    void command1_generate(std::string_view);
    void command2_settings(std::string_view);
    void command3_resources(std::string_view);
    void command4_about(std::string_view);
    void command5_exit(std::string_view);

    ui::Services services_;
};

} // namespace settings
