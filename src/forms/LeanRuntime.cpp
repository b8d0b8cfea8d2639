// Linked into the program alone (the tests keep the library's own versions).
//
// The library's containers report a failure through the std::__throw_* functions below. Its
// own versions sit in one object together with every standard exception class, which are
// written with both of its string implementations: defining the ones this program uses keeps
// all of that out of the executable. Every such failure (a text longer than memory can hold,
// an index out of range) becomes the out-of-memory error at the program's error boundary.
#include <cstdlib>
#include <new>

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char*) { throw bad_alloc(); }
void __throw_logic_error(const char*) { throw bad_alloc(); }
void __throw_out_of_range_fmt(const char*, ...) { throw bad_alloc(); }
} // namespace std

// Every exception is caught at a window procedure or in WinMain, so the library's verbose
// terminate handler would never run; replacing it leaves out the symbol demangler it drags in.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx
