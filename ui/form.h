// The base of every window class: owns one native window built from the class's table, reads and
// writes its controls by name, and hands clicks to the class's handler table.
#pragma once

#include "ui/desktop.h"
#include "ui/form_table.h"

#include <span>
#include <string>
#include <string_view>

namespace ui {

class Form : public WindowEvents {
public:
    Form(Desktop& desktop, const FormSpec& spec);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    WindowId id() const { return id_; }
    // False once the native window is destroyed; the object then does nothing.
    bool alive() const { return id_ != kNoWindow; }

    void show();
    void hide();
    // Destroys the native window. The object itself stays valid, because the handler that asks
    // for it may still be running on this very object.
    void close();

    std::string text(std::string_view control) const;
    void set_text(std::string_view control, std::string_view text);
    CheckState check(std::string_view control) const;

    // A message box owned by this window.
    Answer message_box(const MessageBoxRequest& box);

protected:
    Desktop& desktop_;

private:
    WindowId id_;
};

// One click handler of a window class; the handler gets the name of the control clicked, so
// that alike controls (the link labels) can share one.
template <class F> struct ClickHandler {
    std::string_view control;
    void (F::*handler)(std::string_view control);
};

template <class F>
void dispatch_click(F& form, std::span<const ClickHandler<F>> handlers, std::string_view control)
{
    for (const ClickHandler<F>& h : handlers) {
        if (h.control == control) {
            (form.*h.handler)(control);
            return;
        }
    }
}

} // namespace ui
