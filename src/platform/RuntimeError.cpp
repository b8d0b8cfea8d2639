#include "platform/RuntimeError.h"

#include <windows.h>

#include <new>

#include "platform/TextConversion.h"

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

    wchar_t number[16];
    wsprintfW(number, L"%d", static_cast<int>(error.Number));
    const Text message = u"Errore di run-time '" + Text(reinterpret_cast<const char16_t*>(number)) + u"':\r\n\r\n" +
                         error.Description;
    // Task-modal: every window of the program is disabled while the box is up.
    MessageBoxW(nullptr, Wide(message), L"Dide Quorvel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
}
