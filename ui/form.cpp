// The base of every window class.
#include "ui/form.h"

namespace ui {

Form::Form(Desktop& desktop, const FormSpec& spec)
    : desktop_(desktop), id_(desktop.create(spec, *this))
{
}

Form::~Form()
{
    close();
}

void Form::show()
{
    if (alive()) desktop_.show(id_);
}

void Form::hide()
{
    if (alive()) desktop_.hide(id_);
}

void Form::close()
{
    if (!alive()) return;
    desktop_.destroy(id_);
    id_ = kNoWindow;
}

std::string Form::text(std::string_view control) const
{
    return alive() ? desktop_.text(id_, control) : std::string();
}

// Swapped, a call would name no control and set nothing, which the callers' tests see at once;
// a type of its own for control names would reach through every Desktop.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
void Form::set_text(std::string_view control, std::string_view text)
{
    if (alive()) desktop_.set_text(id_, control, text);
}

CheckState Form::check(std::string_view control) const
{
    return alive() ? desktop_.check(id_, control) : CheckState::Unchecked;
}

Answer Form::message_box(const MessageBoxRequest& box)
{
    return desktop_.message_box(id_, box);
}

} // namespace ui
