// Move-only owners for Win32 handles, so that no path (exceptions included) leaks one.
#pragma once

#include "ui/Win32.h"

#include <string>
#include <utility>

namespace vtl {

// Owns one handle; Traits gives its empty value and how to free it.
template <class Traits> class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Empty(); }
    Handle Release() { return std::exchange(h_, Traits::Empty()); }
    void Reset(Handle h = Traits::Empty()) {
        Handle old = std::exchange(h_, h);
        if (old != Traits::Empty()) Traits::Free(old);
    }

  private:
    Handle h_ = Traits::Empty();
};

// A GDI object of one kind (HBRUSH, HFONT, ...), so that no cast is needed at its uses.
template <class H> struct GdiTraits {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DeleteObject(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DestroyMenu(h); }
};
struct KernelTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { CloseHandle(h); }
};
struct MemoryDCTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DeleteDC(h); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { ImageList_Destroy(h); }
};
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { GlobalFree(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Free(Handle h) { FindClose(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { FreeLibrary(h); }
};

using GdiObject = UniqueHandle<GdiTraits<HGDIOBJ>>;
using BitmapHandle = UniqueHandle<GdiTraits<HBITMAP>>;
using BrushHandle = UniqueHandle<GdiTraits<HBRUSH>>;
using FontHandle = UniqueHandle<GdiTraits<HFONT>>;
using RegionHandle = UniqueHandle<GdiTraits<HRGN>>;
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using KernelHandle = UniqueHandle<KernelTraits>;
using MemoryDC = UniqueHandle<MemoryDCTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using LibraryHandle = UniqueHandle<ModuleTraits>;
using FindHandle = UniqueHandle<FindTraits>;

// A function of a system library looked up at run time (null when it or the library is missing).
template <class Fn> Fn SystemFunction(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                   : nullptr;
}

// Loads a library of the system folder by its full path, never a copy planted beside the
// program; empty when it cannot be loaded.
inline LibraryHandle LoadSystemLibrary(const char* name) {
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return LibraryHandle(LoadLibraryA((std::string(system) + "\\" + name).c_str()));
}

// A DC from GetDC, released to the same window it came from.
class WindowDC {
  public:
    explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint/EndPaint as a scope.
class PaintScope {
  public:
    explicit PaintScope(HWND wnd) : wnd_(wnd) { BeginPaint(wnd_, &ps_); }
    ~PaintScope() { EndPaint(wnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return ps_.hdc; }
    const RECT& Area() const { return ps_.rcPaint; }

  private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back at the end of the scope.
class SelectScope {
  public:
    SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectScope() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC/RestoreDC as a scope, for clip and origin changes while painting children.
class DCStateScope {
  public:
    explicit DCStateScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DCStateScope() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DCStateScope(const DCStateScope&) = delete;
    DCStateScope& operator=(const DCStateScope&) = delete;

  private:
    HDC dc_;
    int saved_;
};

} // namespace vtl
