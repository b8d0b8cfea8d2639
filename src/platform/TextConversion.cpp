#include "platform/TextConversion.h"

std::string ToAnsi(TextView text)
{
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

Text WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    Text text(static_cast<size_t>(length), u'\0');
    if (length > 0) {
        const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
        text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    }
    return text;
}
