#include "ui/Accessible.h"

#include "ui/Handles.h"
#include "ui/WideText.h"
#include "ui/WinControl.h"

#include <oleacc.h>

namespace vtl {

namespace {

// The two system libraries, loaded once at the first question and kept for the run.
struct AccessibilityLibrary {
    LibraryHandle oleacc = LoadSystemLibrary("oleacc.dll");
    LibraryHandle oleaut = LoadSystemLibrary("oleaut32.dll");
    LPFNLRESULTFROMOBJECT lresultFromObject =
        SystemFunction<LPFNLRESULTFROMOBJECT>(oleacc.Get(), "LresultFromObject");
    LPFNCREATESTDACCESSIBLEOBJECT createStd =
        SystemFunction<LPFNCREATESTDACCESSIBLEOBJECT>(oleacc.Get(), "CreateStdAccessibleObject");
    BSTR(WINAPI* sysAllocStringLen)
    (const OLECHAR*,
     UINT) = SystemFunction<BSTR(WINAPI*)(const OLECHAR*, UINT)>(oleaut.Get(), "SysAllocStringLen");
    bool Usable() const { return lresultFromObject && createStd && sysAllocStringLen; }
};

const AccessibilityLibrary& Library() {
    static const AccessibilityLibrary library;
    return library;
}

HRESULT Text(const std::string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    const std::wstring wide = Widen(text);
    *out = Library().sysAllocStringLen(wide.data(), UINT(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

VARIANT Long(long value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// The window's client, with the names and painted parts its control gives; the rest is the
// standard object's.
class TClientObject final : public IAccessible {
  public:
    TClientObject(HWND wnd, IAccessible* standard) : wnd_(wnd), std_(standard) {}
    ~TClientObject() { std_->Release(); }
    TClientObject(const TClientObject&) = delete;
    TClientObject& operator=(const TClientObject&) = delete;

    // IUnknown. Nothing but these three: a reader that asked the standard object for
    // IEnumVARIANT would walk its children, not ours.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: readers call the interface itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (n) *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        return std_->get_accParent(out);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* out) override {
        if (const int n = Parts(); n > 0) return *out = n, S_OK;
        return std_->get_accChildCount(out);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!IsPart(child)) return std_->get_accChild(child, out);
        *out = nullptr; // a part is a simple element, not an object of its own
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        if (IsPart(child)) return Text(Part(child).name, out);
        if (IsSelf(child))
            if (TWinControl* c = Control(); c && !c->AccessibleName.empty())
                return Text(c->AccessibleName, out);
        return std_->get_accName(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        if (IsPart(child)) return Text({}, out);
        return std_->get_accValue(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        if (IsPart(child)) return Text({}, out);
        return std_->get_accDescription(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (IsPart(child)) return *out = Long(Part(child).role), S_OK;
        return std_->get_accRole(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (IsPart(child)) return *out = Long(Part(child).state), S_OK;
        return std_->get_accState(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        if (IsPart(child)) return Text({}, out);
        return std_->get_accHelp(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (IsPart(child)) return Text({}, file), *topic = 0, S_FALSE;
        return std_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        if (IsPart(child)) return Text({}, out);
        return std_->get_accKeyboardShortcut(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        return std_->get_accFocus(out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return std_->get_accSelection(out);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        if (IsPart(child)) return Text(Part(child).action, out);
        return std_->get_accDefaultAction(child, out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (IsPart(child)) return DISP_E_MEMBERNOTFOUND;
        return std_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!IsPart(child)) return std_->accLocation(left, top, width, height, child);
        const RECT r = Part(child).screen;
        *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* out) override {
        const int n = Parts();
        long to = 0;
        if (n > 0 && IsSelf(start) && (dir == NAVDIR_FIRSTCHILD || dir == NAVDIR_LASTCHILD))
            to = dir == NAVDIR_FIRSTCHILD ? 1 : n;
        else if (IsPart(start) && (dir == NAVDIR_NEXT || dir == NAVDIR_PREVIOUS))
            to = start.lVal + (dir == NAVDIR_NEXT ? 1 : -1);
        else if (!IsPart(start))
            return std_->accNavigate(dir, start, out);
        if (to < 1 || to > n) return out->vt = VT_EMPTY, S_FALSE;
        return *out = Long(to), S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        TWinControl* c = Control();
        if (const int part = c ? c->AccessiblePartAt({x, y}) : -1; part >= 0)
            return *out = Long(part + 1), S_OK;
        return std_->accHitTest(x, y, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsPart(child)) return std_->accDoDefaultAction(child);
        if (Part(child).action.empty()) return DISP_E_MEMBERNOTFOUND;
        // Done once the reader's call has returned: closing the program inside it would
        // destroy the window under the call.
        return PostMessageA(wnd_, AccessiblePressMessage(), WPARAM(child.lVal - 1), 0) ? S_OK
                                                                                       : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return std_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return std_->put_accValue(child, value);
    }

  private:
    TWinControl* Control() const { return TWinControl::FromHandle(wnd_); }
    int Parts() const {
        TWinControl* c = Control();
        return c ? c->AccessiblePartCount() : 0;
    }
    static bool IsSelf(const VARIANT& child) {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }
    bool IsPart(const VARIANT& child) const {
        return child.vt == VT_I4 && child.lVal > 0 && child.lVal <= Parts();
    }
    TAccessiblePart Part(const VARIANT& child) const {
        return Control()->AccessiblePart(int(child.lVal - 1));
    }

    HWND wnd_;
    IAccessible* std_;
    ULONG refs_ = 1;
};

} // namespace

UINT AccessiblePressMessage() {
    static const UINT message = RegisterWindowMessageA("VtlAccessiblePress");
    return message;
}

LRESULT AnswerGetObject(HWND wnd, WPARAM wp, LPARAM lp) {
    if (LONG(lp) != OBJID_CLIENT) return 0;
    const AccessibilityLibrary& library = Library();
    if (!library.Usable()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(library.createStd(wnd, OBJID_CLIENT, __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new TClientObject(wnd, standard);
    const LRESULT r = library.lresultFromObject(__uuidof(IAccessible), wp, object);
    object->Release(); // the reader holds its own reference now
    return r > 0 ? r : 0;
}

} // namespace vtl
