// What a window table becomes in Win32: classes and styles.
#include "platform/win32/native_style.h"

#include "ui/twips.h"
#include "platform/win32/display.h"

namespace platform {

NativeStyle form_style(const ui::FormSpec& form)
{
    // Not WS_CLIPCHILDREN: a group frame paints only its edge and caption, so the window's
    // own background has to show through inside it.
    return {kFormClass, WS_OVERLAPPED | WS_CAPTION,
            form.border == ui::Border::FixedTool ? DWORD{WS_EX_TOOLWINDOW} : DWORD{WS_EX_APPWINDOW}};
}

SIZE form_size(const ui::FormSpec& form, UINT dpi)
{
    const int d = static_cast<int>(dpi);
    RECT r{0, 0, ui::twips_to_pixels(form.client_width, d), ui::twips_to_pixels(form.client_height, d)};
    const NativeStyle frame = form_style(form);
    adjust_for_dpi(r, frame.style, frame.ex_style, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

NativeStyle control_style(const ui::ControlSpec& c)
{
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (c.kind) {
    case ui::ControlKind::Button:
        return {L"BUTTON",
                child | WS_TABSTOP | BS_NOTIFY | BS_MULTILINE |
                    (c.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                0};
    case ui::ControlKind::CheckBox:
        // Auto check boxes tick themselves on a click; the program only reads them, and
        // BM_SETCHECK from code sends no click, so no handler runs for a value set by code.
        return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX | BS_FLAT, 0};
    case ui::ControlKind::TextBox:
        return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ui::ControlKind::Label:
    case ui::ControlKind::LinkLabel:
        // SS_NOTIFY: labels report clicks (links) and let their tool tips see the mouse.
        return {L"STATIC",
                child | SS_NOTIFY | SS_NOPREFIX | (c.align == ui::Align::Right ? SS_RIGHT : SS_LEFT),
                0};
    case ui::ControlKind::Frame:
        // Not clipped by the controls inside it, so that its edge is drawn under a label that
        // reaches over it.
        return {L"BUTTON", (child & ~WS_CLIPSIBLINGS) | BS_GROUPBOX, 0};
    case ui::ControlKind::Picture: return {L"STATIC", child | SS_OWNERDRAW, 0};
    case ui::ControlKind::Movie: break;
    }
    return {L"STATIC", child, 0};
}

} // namespace platform
