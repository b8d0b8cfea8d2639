#include "display/Dpi.h"

namespace {

struct DpiFunctions {
    BOOL(WINAPI* SetProcessDpiAwarenessContext)(DPI_AWARENESS_CONTEXT) = nullptr;
    UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* GetDpiForSystem)() = nullptr;
    int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <typename Function> void Lookup(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiFunctions& Functions()
{
    static const DpiFunctions functions = [] {
        DpiFunctions f;
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        Lookup(user32, "SetProcessDpiAwarenessContext", f.SetProcessDpiAwarenessContext);
        Lookup(user32, "GetDpiForWindow", f.GetDpiForWindow);
        Lookup(user32, "GetDpiForSystem", f.GetDpiForSystem);
        Lookup(user32, "GetSystemMetricsForDpi", f.GetSystemMetricsForDpi);
        Lookup(user32, "AdjustWindowRectExForDpi", f.AdjustWindowRectExForDpi);
        return f;
    }();
    return functions;
}

} // namespace

void DeclareDpiAwareness()
{
    // Windows 10 1703 and later. (Wine 8 reports every process per-monitor aware from its start,
    // so no test there can tell this call from another.)
    if (Functions().SetProcessDpiAwarenessContext &&
        Functions().SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        return;
    SetProcessDPIAware();
}

int SystemDpi()
{
    if (Functions().GetDpiForSystem)
        return static_cast<int>(Functions().GetDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window)
{
    const UINT dpi = Functions().GetDpiForWindow ? Functions().GetDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : SystemDpi();
}

int MetricForDpi(int metric, int dpi)
{
    if (Functions().GetSystemMetricsForDpi)
        return Functions().GetSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
    return GetSystemMetrics(metric);
}

void AdjustFrameForDpi(RECT& box, DWORD style, DWORD exStyle, int dpi)
{
    if (!Functions().AdjustWindowRectExForDpi ||
        !Functions().AdjustWindowRectExForDpi(&box, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&box, style, FALSE, exStyle);
}
