// The C++ library reports a failure of its containers through the std::__throw_* functions
// below. Its own versions sit in one object together with every standard exception class,
// written with both of its string implementations; defining all of them here keeps that object
// out of the executable. The program and its tests link these same versions.
//
// Memory running out (a text longer than memory can hold among it) becomes the out-of-memory
// error; anything else the library can report is a programming fault, the internal error.
#include <cstdlib>
#include <new>

#include "platform/RuntimeError.h"

namespace {
[[noreturn]] void ThrowInternalError() { throw RuntimeError(kErrInternal, u"", u"Errore interno"); }
} // namespace

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_alloc(); }
void __throw_length_error(const char*) { throw bad_alloc(); }
void __throw_logic_error(const char*) { ThrowInternalError(); }
void __throw_domain_error(const char*) { ThrowInternalError(); }
void __throw_invalid_argument(const char*) { ThrowInternalError(); }
void __throw_out_of_range(const char*) { ThrowInternalError(); }
void __throw_out_of_range_fmt(const char*, ...) { ThrowInternalError(); }
void __throw_runtime_error(const char*) { ThrowInternalError(); }
void __throw_range_error(const char*) { ThrowInternalError(); }
void __throw_overflow_error(const char*) { ThrowInternalError(); }
void __throw_underflow_error(const char*) { ThrowInternalError(); }
void __throw_bad_cast() { ThrowInternalError(); }
void __throw_bad_typeid() { ThrowInternalError(); }
void __throw_bad_exception() { ThrowInternalError(); }
} // namespace std

// Every exception is caught at a window procedure or in WinMain, so the library's verbose
// terminate handler would never run; replacing it leaves out the symbol demangler it drags in.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx
