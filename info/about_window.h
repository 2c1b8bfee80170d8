// Form2, the About window: the movie strip, the title banner, the credits, and the read-me,
// e-mail and OK buttons.
#pragma once

#include "ui/form.h"
#include "ui/window_ops.h"

#include <array>
#include <string_view>

namespace info {

extern const ui::FormSpec kForm2;

inline constexpr std::string_view kMakerAddress = "mailto:xiaozhou@example.com";
inline constexpr std::string_view kMovieFileName = "tessel.swf";
inline constexpr std::string_view kReadmeFileName = "readme.txt";

class Form2 final : public ui::Form {
public:
    // Loading starts the movie from the program folder; a missing movie is the player's affair.
    explicit Form2(const ui::Services& services);

    void on_click(std::string_view control) override;
    // A close from the platform (Alt+F4) means what the OK button means.
    void on_close_request() override;

    static const std::array<ui::ClickHandler<Form2>, 3> kClicks;

private:
    void command1_ok(std::string_view);
    void command2_email(std::string_view);
    void command3_readme(std::string_view);

    ui::Services services_;
};

} // namespace info
