// The string class's members, made here for the exe rather than taken from the runtime library.
//
// The library's error-code support (std::system_category, which the files report through) calls
// a few string members that the library keeps in one object file with every other member of the
// class: linked statically, that brings 33 KB, most of it unused. Made here, each member is a
// function of its own that the linker drops when nothing calls it, and the library's file is not
// needed. The members are the library's own templates, compiled by the same compiler.
#include <string>

template class std::basic_string<char>;
