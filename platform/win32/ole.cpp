// OLE started on first need: loading it at start-up costs every start several DLLs and their
// set-up, while most sessions never open a dialog, a document or the About window.
#include "platform/win32/ole.h"

#include <ole2.h>

namespace platform {
namespace {

// The program has one thread, the one that shows the windows.
enum class OleState { Untried, Ready, Unavailable };
OleState g_state = OleState::Untried;

} // namespace

bool ole_ready()
{
    if (g_state == OleState::Untried)
        g_state = SUCCEEDED(::OleInitialize(nullptr)) ? OleState::Ready : OleState::Unavailable;
    return g_state == OleState::Ready;
}

void ole_release()
{
    if (g_state == OleState::Ready) ::OleUninitialize();
    g_state = OleState::Untried;
}

} // namespace platform
