// How our own window classes find their object: bound at WM_NCCREATE from the creation
// parameter and kept in GWLP_USERDATA (read in process, without a trip to the server).
#pragma once

#include <windows.h>

namespace vtl {

// The object of `wnd`, bound first when this is its WM_NCCREATE; null before that message (the
// first WM_GETMINMAXINFO) and after UnbindWindow.
template <typename T> T* BoundWindowObject(HWND wnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE && lp) { // the application window's style switch sends one without
        void* object = reinterpret_cast<const CREATESTRUCTA*>(lp)->lpCreateParams;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return static_cast<T*>(object);
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

// Messages sent while the window goes away find no object any more.
inline void UnbindWindow(HWND wnd) {
    SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
}

} // namespace vtl
