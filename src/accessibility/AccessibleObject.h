#pragma once
// The accessible object of one window of a form: a surface (the form or a picture box), whose
// children are the controls lying on it, or a windowed control, named and described as the
// program says; its control is the one whose window it is (none for the form itself). Every
// answer goes through the layer's error boundary; once the window has gone every question is
// answered "not connected".
#include <optional>
#include <utility>
#include <vector>

#include "forms/Control.h"
#include "accessibility/Ole.h"
#include "platform/RuntimeError.h"

class Form;

class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    AccessibleObject(Form& form, HWND window, Control* control, IAccessible* standard)
        : m_Form(&form), m_Window(window), m_Control(control), m_Standard(standard),
          m_Surface(!control || control->Design().Kind == ControlKind::PictureBox)
    {
    }

    void Disconnect()
    {
        m_Form = nullptr;
        m_Control = nullptr;
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
        if (!m_Form)
            return CO_E_OBJNOTCONNECTED; // the window has gone; a screen reader may still hold us
        return GuardedCall([&]() -> HRESULT { return body(); });
    }

    // Answers about a windowless element itself (own). A windowed element is an object of its own:
    // the question goes to that object about itself, so the answer is its own, never this one's;
    // the rest goes to the standard object (system puts the question to the object it is given).
    template <typename Own, typename System> HRESULT Ask(const VARIANT& child, Own own, System system)
    {
        return Guard([&]() -> HRESULT {
            Control* element = Element(child);
            if (element && !element->hWnd())
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
    std::vector<Control*> Elements() const;
    Control* Element(const VARIANT& child) const;
    // The control a question is about: an element, or this object's own control.
    Control* Subject(const VARIANT& child) const { return IsSelf(child) ? m_Control : Element(child); }
    HRESULT ElementAnswer(LONG id, VARIANT* out) const;
    // The object of a windowed control's window, as the interface asked for.
    static void* ObjectOf(const Control& control, REFIID iid = kIDispatch);
    // What the control does for a screen reader's default action, if anything: a windowless
    // control's click or double-click, a button's click.
    std::optional<Event> ActionOf(const Control& control) const;
    bool IsLink(const Control& control) const;
    // Links and the windowed controls take the keyboard focus; plain labels and pictures never do.
    bool IsFocusable(const Control& control) const;
    LONG RoleOf(const Control& control) const;
    // A disabled window (behind a modal one, say) takes no input: its elements are unavailable.
    bool Available() const;

    LONG m_References = 1;
    Form* m_Form;
    HWND m_Window;
    Control* m_Control;
    IAccessible* m_Standard;
    bool m_Surface; // lists the controls lying on its window
};
