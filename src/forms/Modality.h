#pragma once
// What a modal window does to the rest of the program: while it is up, every other window of the
// program takes no input; when it goes, however it goes, they take input again.
#include <windows.h>

#include <vector>

class Modality {
public:
    // Disables every other top-level window of the layer on this thread that takes input now.
    void DisableOthers(HWND modal);
    void EnableAgain();

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM self);

    HWND m_Modal = nullptr;
    std::vector<HWND> m_Disabled;
};
