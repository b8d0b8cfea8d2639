#include "forms/RuntimeError.h"

#include <windows.h>

#include <new>
#include <string>

#include "forms/TextConversion.h"

RuntimeError ErrorFromCurrentException()
{
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(kErrOutOfMemory, u"", u"Memoria insufficiente");
    } catch (...) {
        return RuntimeError(kErrInternal, u"", u"Errore interno");
    }
}

void HandleUntrappedError(const RuntimeError& error)
{
    // A second error while the first is on screen ends the program without another box.
    static bool reporting = false;
    if (reporting)
        ExitProcess(1);
    reporting = true;

    const std::u16string number = [&] {
        const std::string digits = std::to_string(error.Number);
        return std::u16string(digits.begin(), digits.end());
    }();
    const Text message = u"Errore di run-time '" + number + u"':\r\n\r\n" + error.Description;
    // Task-modal: every window of the program is disabled while the box is up.
    MessageBoxW(nullptr, Wide(message), L"Dide Quorvel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
}
