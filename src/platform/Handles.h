#pragma once
// Ownership in types: the program's own GDI objects and icons are held by these and freed when
// they go; handles the system owns (shared icons, child windows) stay plain handles. Each type
// counts the handles it holds, so a leak shows even where the system cannot be asked.
#include <windows.h>

#include <utility>

template <typename Handle, BOOL(WINAPI* Free)(Handle)>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(Handle handle) : m_Handle(handle) { s_Live += handle != nullptr; }
    Scoped(Scoped&& other) noexcept : m_Handle(std::exchange(other.m_Handle, nullptr)) {}
    Scoped& operator=(Scoped&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_Handle = std::exchange(other.m_Handle, nullptr); // ownership moves; the count stays
        }
        return *this;
    }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    ~Scoped() { Reset(); }

    Handle Get() const { return m_Handle; }
    static int LiveCount() { return s_Live; }
    explicit operator bool() const { return m_Handle != nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (m_Handle) {
            Free(m_Handle);
            --s_Live;
        }
        m_Handle = handle;
        s_Live += handle != nullptr;
    }

private:
    Handle m_Handle = nullptr;
    static inline int s_Live = 0;
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ object) { return DeleteObject(object); }

using ScopedGdiObject = Scoped<HGDIOBJ, DeleteGdiObject>;
using ScopedIcon = Scoped<HICON, DestroyIcon>;
using ScopedCursor = Scoped<HCURSOR, DestroyCursor>;

// Selects an object into a DC for one scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_Dc(dc), m_Previous(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(m_Dc, m_Previous); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_Dc;
    HGDIOBJ m_Previous;
};
