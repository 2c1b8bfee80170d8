// OLE on the program's thread, started when something first needs it rather than at start-up.
#pragma once

namespace platform {

// The shell's open request and the file dialog want a single-threaded apartment; the first call
// loads OLE and joins one, later calls only say whether that worked.
bool ole_ready();

// Leaves the apartment at the end of the program, if ole_ready() joined one.
void ole_release();

} // namespace platform
