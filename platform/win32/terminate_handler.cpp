// The C++ runtime's last resort, without the demangler that its default brings along.
//
// When an exception escapes everything, the runtime's default handler prints the exception's
// demangled type name to stderr before it aborts: a GUI program has no stderr, and the demangler
// weighs 46 KB of the exe players download. Defining the handler here keeps the library's one
// out of the link; ending the process is what the user sees either way.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
