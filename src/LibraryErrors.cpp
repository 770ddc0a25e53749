// How the C++ library reports errors, replaced with smaller versions in the program (the tests
// link the library's own).
//
// The library reports a misused container (a string grown past its maximum size, an index
// out of range) through the functions below. Its own versions live in one object that also
// builds every standard exception type, and on this target the linker keeps all of an object's
// functions once one is used: with them would come both of the library's string
// implementations, about 70 KiB. These throw the program's own exception with the same
// message. Code that needs another function of that object fails to link with a duplicate
// definition, so the two are never mixed silently.
#include <cstdlib>
#include <new>

#include "core/Error.h"

namespace std {
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_length_error(const char* what) {
    throw tavrin::Error(what);
}
void __throw_logic_error(const char* what) {
    throw tavrin::Error(what);
}
void __throw_out_of_range(const char* what) {
    throw tavrin::Error(what);
}
// The message is a printf format; its text without the arguments is enough for an error box.
void __throw_out_of_range_fmt(const char* format, ...) {
    throw tavrin::Error(format);
}
} // namespace std

// The library's default terminate handler writes the exception's demangled type name to a
// console this program does not have, and brings the demangler (about 45 KiB) with it; this
// one ends the program as std::abort does. The saver installs its own, which gives the
// desktop back first.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
