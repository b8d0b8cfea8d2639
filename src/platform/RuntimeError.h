#pragma once
// The program's error value. It travels as a C++ exception from where it is raised to the
// handler that traps it; one that nobody traps reaches the top-level handler, which reports it
// and ends the program. Window procedures never let it unwind through the system.
#include <cstdint>
#include <exception>

#include "platform/Text.h"

class RuntimeError : public std::exception {
public:
    RuntimeError(int32_t number, Text source, Text description, Text helpFile = {}, int32_t helpContext = 0)
        : Number(number), Source(std::move(source)), Description(std::move(description)),
          HelpFile(std::move(helpFile)), HelpContext(helpContext)
    {
    }
    const char* what() const noexcept override { return "RuntimeError"; }

    int32_t Number;
    Text Source;
    Text Description;
    Text HelpFile;
    int32_t HelpContext;
};

// Error numbers the layer itself raises.
constexpr int32_t kErrOutOfMemory = 7;
constexpr int32_t kErrKeyAlreadyUsed = 457;
constexpr int32_t kErrInternal = 51;

// The error value of the exception being handled: a RuntimeError as it is, anything else
// translated (out of memory keeps its own number). Call only inside a catch block.
RuntimeError ErrorFromCurrentException();

// Shows the error's number and description in a message box and ends the process.
[[noreturn]] void HandleUntrappedError(const RuntimeError& error);

// Runs body and turns any exception into the top-level error report: the one boundary that
// every window procedure and the start-up pass through.
template <typename Body>
auto GuardedCall(Body&& body) noexcept -> decltype(body())
{
    try {
        return body();
    } catch (...) {
        HandleUntrappedError(ErrorFromCurrentException());
    }
}
