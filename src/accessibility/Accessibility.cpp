#include "accessibility/Accessibility.h"

#include <algorithm>

#include "accessibility/AccessibleObject.h"

LRESULT AccessibleObjects::Answer(AccessibleElement& element, HWND window, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !Ole())
        return 0;
    auto known =
        std::find_if(m_Objects.begin(), m_Objects.end(), [&](const auto& entry) { return entry.first == window; });
    if (known == m_Objects.end()) {
        void* standard = nullptr;
        if (FAILED(Ole()->CreateStdAccessibleObject(window, OBJID_CLIENT, kIAccessible, &standard)) || !standard)
            return 0;
        auto* object = new AccessibleObject(element, window, static_cast<IAccessible*>(standard));
        m_Objects.emplace_back(window, object);
        known = m_Objects.end() - 1;
    }
    const LRESULT result = Ole()->LresultFromObject(kIAccessible, wParam, static_cast<IAccessible*>(known->second));
    return result > 0 ? result : 0;
}

void AccessibleObjects::DisconnectAll()
{
    for (auto& [window, object] : m_Objects) {
        object->Disconnect();
        object->Release();
    }
    m_Objects.clear();
}
