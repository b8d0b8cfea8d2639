#pragma once
// The accessible object of one window: the element it stands for (a surface, whose elements are
// what lies on it, or a windowed control) as a screen reader asks for it. The element says what
// it knows; the system's standard object of the window says the rest. Every answer goes through
// the program's error boundary; once the window has gone every question is answered "not
// connected".
#include <utility>
#include <vector>

#include "accessibility/AccessibleElement.h"
#include "accessibility/Ole.h"
#include "platform/RuntimeError.h"

class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    AccessibleObject(AccessibleElement& element, HWND window, IAccessible* standard)
        : m_Element(&element), m_Window(window), m_Standard(standard)
    {
    }

    void Disconnect()
    {
        m_Element = nullptr;
        if (m_Standard)
            std::exchange(m_Standard, nullptr)->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        const bool known =
            IsEqualIID(iid, kIUnknown) || IsEqualIID(iid, kIDispatch) || IsEqualIID(iid, kIAccessible);
        *object = known ? static_cast<IAccessible*>(this)
                  : IsEqualIID(iid, kIOleWindow) ? static_cast<void*>(static_cast<IOleWindow*>(this))
                                                 : nullptr;
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_References); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = --m_References;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IOleWindow: the window that holds the object's elements, which is how a client
    // (WindowFromAccessibleObject) knows where an element lives.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        return Guard([&] {
            *window = m_Window;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch, through the system's type information for IAccessible, so that clients that
    // call by name (scripts, some screen readers) reach the same answers.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

private:
    ~AccessibleObject() = default;

    template <typename Body> HRESULT Guard(Body body)
    {
        if (!m_Element)
            return CO_E_OBJNOTCONNECTED; // the window has gone; a screen reader may still hold us
        return GuardedCall([&]() -> HRESULT { return body(); });
    }

    // Answers about a simple element itself (own). A windowed element is an object of its own: the
    // question goes to that object about itself, so the answer is its own, never this one's; the
    // rest goes to the standard object (system puts the question to the object it is given).
    template <typename Own, typename System> HRESULT Ask(const VARIANT& child, Own own, System system)
    {
        return Guard([&]() -> HRESULT {
            AccessibleElement* element = Element(child);
            if (element && !element->AccessibleWindow())
                return own(*element);
            if (!element)
                return system(m_Standard, Normalised(child));
            auto* object = static_cast<IAccessible*>(ObjectOf(*element, kIAccessible));
            if (!object)
                return E_FAIL;
            const HRESULT result = system(object, ChildId(CHILDID_SELF));
            object->Release();
            return result;
        });
    }

    // The elements this object lists (a surface's), and the one a child id names.
    std::vector<AccessibleElement*> Elements() const;
    AccessibleElement* Element(const VARIANT& child) const;
    // The element a question is about: one it lists, or this object's own.
    AccessibleElement* Subject(const VARIANT& child) const { return IsSelf(child) ? m_Element : Element(child); }
    // An element as a child id (a simple one) or as its own object (a windowed one).
    HRESULT ElementAnswer(AccessibleElement* element, VARIANT* out) const;
    // The object of a windowed element's window, as the interface asked for.
    static void* ObjectOf(const AccessibleElement& element, REFIID iid = kIDispatch);
    // A disabled window (behind a modal one, say) takes no input: its elements are unavailable.
    bool Available() const;

    LONG m_References = 1;
    AccessibleElement* m_Element;
    HWND m_Window;
    IAccessible* m_Standard;
};
