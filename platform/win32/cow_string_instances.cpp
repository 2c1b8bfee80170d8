// The runtime library's older, reference-counted string class, made here for the exe.
//
// The library's exception classes keep their messages in that older string (it is how they stay
// compatible with programs built before the current one), and linking them statically brings the
// whole class as one 31 KB object file. Made here, each member is a function of its own that the
// linker drops when nothing calls it. This file alone selects the old string; nothing of the
// program itself uses it.
#define _GLIBCXX_USE_CXX11_ABI 0
#include <string>

template class std::basic_string<char>;
