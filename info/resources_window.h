// Form3, the Resources window: thirteen web sites about the game, each opened with a click.
#pragma once

#include "ui/form.h"
#include "ui/window_ops.h"

#include <array>
#include <string_view>

namespace info {

extern const ui::FormSpec kForm3;

class Form3 final : public ui::Form {
public:
    explicit Form3(const ui::Services& services);

    void on_click(std::string_view control) override;
    // A close from the platform (Alt+F4) hides the window, as OK does.
    void on_close_request() override;

    static const std::array<ui::ClickHandler<Form3>, 14> kClicks;

private:
    void command6_ok(std::string_view);
    // Every link label: opens the address it shows.
    void link_click(std::string_view label);

    ui::Services services_;
};

} // namespace info
