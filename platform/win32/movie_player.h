// The installed movie player, hosted as an in-place control inside the movie strip's window.
#pragma once

#include "platform/form_table.h" // platform::MoviePresets

#include <windows.h>

#include <memory>
#include <string>

namespace platform {

// Letting go of it deactivates and releases the control, which still needs the strip's window:
// the strip drops it while handling WM_DESTROY.
class HostedPlayer {
public:
    virtual ~HostedPlayer() = default;
    // Called after the strip changes size, since the control does not watch its container.
    virtual void fit() = 0;
    // The control's own window, which takes the keyboard focus for the strip; nullptr if none.
    virtual HWND window() const = 0;
    // A full path; whether it starts playing is up to the presets.
    virtual void load(const std::wstring& path) = 0;
};

// The player filling `strip` with the presets applied, or nullptr when none is installed or it
// will not start; a failed attempt leaves nothing behind, so the strip can do without it.
std::unique_ptr<HostedPlayer> host_player(HWND strip, const MoviePresets& presets);

} // namespace platform
