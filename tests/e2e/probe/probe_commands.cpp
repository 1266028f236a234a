// Commands (handles are hexadecimal, numbers decimal or 0x-hex; "*" matches any class or title):
//   ping                              -> pong
//   find <class|*> [title|*]          -> first matching top-level window, or 0
//   wait <ms> <class|*> [title|*]     -> first matching top-level window that is visible and not
//                                        empty, polled until the timeout; 0 on timeout
//   waitgone|waithidden <ms> <hwnd>   -> 1 once the window is destroyed (or hidden), 0 on timeout
//   toplevel [pid]                    -> per window: hwnd pid class l t r b style exstyle visible
//   title children <hwnd>                   -> per descendant: hwnd id class l t r b style exstyle
//   visible text text <hwnd>                       -> WM_GETTEXT (works across processes,
//   GetWindowText does not) settext <hwnd> <text>             -> WM_SETTEXT result class <hwnd>,
//   parent <hwnd>, owner <hwnd> rect <hwnd>, clientrect <hwnd>    -> l t r b in screen coordinates
//   region <hwnd>                     -> "none" without a window region, else one "l t r b" per
//                                        rectangle, relative to the window's top-left corner
//   send <hwnd> <msg> <wparam> <lparam> -> LRESULT of SendMessageTimeout (numbers only, no
//   pointers) post <hwnd> <msg> <wparam> <lparam> -> 1 style <hwnd>, exstyle <hwnd>      -> 0x%08x
//   pid <hwnd>                        -> Windows process id of the window
//   foreground                        -> foreground window or 0
//   showasync <hwnd> <command>        -> ShowWindowAsync's result, 1 or 0
//   visible|enabled|exists <hwnd>     -> 1 or 0
//   guiinfo <hwnd>                    -> "active|focus|capture|menuowner <hwnd>" of the window's
//   thread udmpos <hwnd>                     -> UDM_GETPOS32 of an up-down control pixel <x> <y> ->
//   screen pixel as 0xBBGGRR cursor                            -> x y quit
//   traydel <hwnd> <uid>              -> 1 when the shell removed that notification-area icon
//   acctree <hwnd>                    -> per element a screen reader reads in the window and
//                                        those in it: "hwnd child role l t r b<TAB>name<TAB>action"
//   accdo <hwnd> <child>              -> 1 once the element's default action is done, else 0
//   hotkey <modifiers> <vk>           -> 1 once the probe holds that global shortcut
//   broadcast <name>                  -> 1 once the registered message <name> is posted to all
//                                        top-level windows
#include "probe_commands.hpp"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

namespace vtl::probe {
namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::string hexHandle(const void* h) {
    auto value = reinterpret_cast<std::uintptr_t>(h);
    if (value == 0) return "0";
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%lx", static_cast<unsigned long>(value));
    return buf;
}

std::string hex32(DWORD value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lx", static_cast<unsigned long>(value));
    return buf;
}

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
           " " + std::to_string(r.bottom);
}

HWND anyWindow(Args& args) {
    return reinterpret_cast<HWND>(args.handle("window"));
}

HWND liveWindow(Args& args) {
    HWND h = anyWindow(args);
    if (!IsWindow(h)) throw CommandError("no such window: " + hexHandle(h));
    return h;
}

std::string className(HWND h) {
    char buf[256] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

// The title Windows keeps with the window itself; safe even when its thread hangs.
std::string storedTitle(HWND h) {
    char buf[512] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

LRESULT sendOrThrow(HWND h, UINT msg, WPARAM w, LPARAM l) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(h, msg, w, l, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        throw CommandError("no answer to message " + std::to_string(msg) + " (error " +
                           std::to_string(GetLastError()) + ")");
    }
    return static_cast<LRESULT>(result);
}

std::string messageText(HWND h) {
    auto length = static_cast<std::size_t>(sendOrThrow(h, WM_GETTEXTLENGTH, 0, 0));
    std::string buf(length + 1, '\0');
    auto got = static_cast<std::size_t>(
        sendOrThrow(h, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buf.data())));
    buf.resize(got < length ? got : length);
    return buf;
}

std::string windowLine(HWND h, const std::string& second, const std::string& text) {
    RECT r{};
    GetWindowRect(h, &r);
    return hexHandle(h) + " " + second + " " + escape(className(h), EscapeMode::Field) + " " +
           rectText(r) + " " + hex32(static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE))) + " " +
           hex32(static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE))) + " " +
           (IsWindowVisible(h) ? "1" : "0") + " " + escape(text);
}

struct WindowFilter {
    std::optional<std::string> windowClass;
    std::optional<std::string> title;
    bool shownOnly = false;

    static WindowFilter parse(Args& args, bool shownOnly) {
        WindowFilter f;
        std::string cls = args.word("class");
        if (cls != "*") f.windowClass = cls;
        std::string title = args.rest();
        if (!title.empty() && title != "*") f.title = title;
        f.shownOnly = shownOnly;
        return f;
    }

    bool matches(HWND h) const {
        if (windowClass && lstrcmpiA(className(h).c_str(), windowClass->c_str()) != 0) {
            return false;
        }
        if (title && storedTitle(h) != *title) return false;
        if (shownOnly) {
            RECT r{};
            if (!IsWindowVisible(h) || !GetWindowRect(h, &r)) return false;
            if (r.right <= r.left || r.bottom <= r.top) return false;
        }
        return true;
    }
};

BOOL CALLBACK collectWindow(HWND h, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(h);
    return TRUE;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND findFirst(const WindowFilter& filter) {
    for (HWND h : topLevelWindows()) {
        if (filter.matches(h)) return h;
    }
    return nullptr;
}

template <typename Done> bool pollUntil(std::int64_t timeoutMs, Done done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

class GdiRegion {
  public:
    GdiRegion() : rgn_(CreateRectRgn(0, 0, 0, 0)) {
        if (!rgn_) throw CommandError("CreateRectRgn failed");
    }
    ~GdiRegion() { DeleteObject(rgn_); }
    GdiRegion(const GdiRegion&) = delete;
    GdiRegion& operator=(const GdiRegion&) = delete;
    HRGN get() const { return rgn_; }

  private:
    HRGN rgn_;
};

// The object a screen reader reads for a window's client, asked for as a reader asks.
IAccessible* clientOf(HWND w) {
    static const HRESULT com = CoInitialize(nullptr);
    IAccessible* acc = nullptr;
    if (FAILED(com) || FAILED(AccessibleObjectFromWindow(w, DWORD(OBJID_CLIENT), IID_IAccessible,
                                                         reinterpret_cast<void**>(&acc))))
        throw CommandError("no accessible object");
    return acc;
}

std::string accText(HRESULT got, BSTR text) {
    char buf[512] = "";
    if (SUCCEEDED(got) && text)
        WideCharToMultiByte(CP_ACP, 0, text, -1, buf, 512, nullptr, nullptr);
    SysFreeString(text);
    return escape(buf);
}

// Empty for a child that is a window of its own, which is read on its own.
std::string accLine(HWND w, IAccessible* acc, long child) {
    VARIANT id{}, role{};
    id.vt = VT_I4;
    id.lVal = child;
    IDispatch* window = nullptr;
    if (child > 0 && acc->get_accChild(id, &window) == S_OK && window) return window->Release(), "";
    BSTR name = nullptr, action = nullptr;
    const HRESULT gotName = acc->get_accName(id, &name);
    const HRESULT gotAction = acc->get_accDefaultAction(id, &action);
    acc->get_accRole(id, &role);
    long l = 0, t = 0, width = 0, height = 0;
    acc->accLocation(&l, &t, &width, &height, id);
    return hexHandle(w) + " " + std::to_string(child) + " " +
           std::to_string(role.vt == VT_I4 ? role.lVal : 0) + " " +
           rectText({l, t, l + width, t + height}) + "\t" + accText(gotName, name) + "\t" +
           accText(gotAction, action);
}

class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {
        if (!dc_) throw CommandError("GetDC(NULL) failed");
    }
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

Reply regionRects(HWND h) {
    GdiRegion rgn;
    if (GetWindowRgn(h, rgn.get()) == ERROR) return {"none"};
    DWORD size = GetRegionData(rgn.get(), 0, nullptr);
    std::vector<std::byte> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (size == 0 || GetRegionData(rgn.get(), size, data) == 0) {
        throw CommandError("GetRegionData failed");
    }
    Reply lines;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        lines.push_back(rectText(rects[i]));
    return lines;
}

} // namespace

Commands::Commands() {
    auto& h = handlers_;
    h["ping"] = [](Args& a, Reply& r) {
        a.end();
        r.push_back("pong");
    };
    h["quit"] = [this](Args& a, Reply&) {
        a.end();
        quit_ = true;
    };
    h["find"] = [](Args& a, Reply& r) {
        r.push_back(hexHandle(findFirst(WindowFilter::parse(a, false))));
    };
    h["wait"] = [](Args& a, Reply& r) {
        std::int64_t timeout = a.integer("timeout");
        WindowFilter filter = WindowFilter::parse(a, true);
        HWND found = nullptr;
        pollUntil(timeout, [&] { return (found = findFirst(filter)) != nullptr; });
        r.push_back(hexHandle(found));
    };
    h["waitgone"] = [](Args& a, Reply& r) {
        std::int64_t timeout = a.integer("timeout");
        HWND w = anyWindow(a);
        a.end();
        r.push_back(pollUntil(timeout, [&] { return !IsWindow(w); }) ? "1" : "0");
    };
    // Wine hides some windows for good instead of destroying them (menus, its tray window).
    h["waithidden"] = [](Args& a, Reply& r) {
        std::int64_t timeout = a.integer("timeout");
        HWND w = anyWindow(a);
        a.end();
        r.push_back(pollUntil(timeout, [&] { return !IsWindowVisible(w); }) ? "1" : "0");
    };
    h["toplevel"] = [](Args& a, Reply& r) {
        std::optional<DWORD> pid;
        if (!a.atEnd()) pid = static_cast<DWORD>(a.integer("pid"));
        a.end();
        for (HWND w : topLevelWindows()) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (pid && owner != *pid) continue;
            r.push_back(windowLine(w, std::to_string(owner), storedTitle(w)));
        }
    };
    h["children"] = [](Args& a, Reply& r) {
        HWND parent = liveWindow(a);
        a.end();
        for (HWND w : descendants(parent)) {
            std::string text;
            try {
                text = messageText(w);
            } catch (const CommandError&) {
                text = storedTitle(w);
            }
            r.push_back(windowLine(w, std::to_string(GetDlgCtrlID(w)), text));
        }
    };
    h["text"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r.push_back(escape(messageText(w)));
    };
    h["settext"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        std::string text = a.rest();
        r.push_back(
            std::to_string(sendOrThrow(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))));
    };
    h["class"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r.push_back(escape(className(w), EscapeMode::Field));
    };
    h["parent"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        HWND parent = GetAncestor(w, GA_PARENT);
        r.push_back(hexHandle(parent == GetDesktopWindow() ? nullptr : parent));
    };
    h["owner"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r.push_back(hexHandle(GetWindow(w, GW_OWNER)));
    };
    h["rect"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        RECT rc{};
        GetWindowRect(w, &rc);
        r.push_back(rectText(rc));
    };
    h["clientrect"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        RECT rc{};
        GetClientRect(w, &rc);
        POINT topLeft{rc.left, rc.top};
        POINT bottomRight{rc.right, rc.bottom};
        ClientToScreen(w, &topLeft);
        ClientToScreen(w, &bottomRight);
        r.push_back(rectText(RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}));
    };
    h["region"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r = regionRects(w);
    };
    h["send"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        auto msg = static_cast<UINT>(a.integer("message"));
        auto wp = static_cast<WPARAM>(a.integer("wparam"));
        auto lp = static_cast<LPARAM>(a.integer("lparam"));
        a.end();
        r.push_back(std::to_string(static_cast<long long>(sendOrThrow(w, msg, wp, lp))));
    };
    h["post"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        auto msg = static_cast<UINT>(a.integer("message"));
        auto wp = static_cast<WPARAM>(a.integer("wparam"));
        auto lp = static_cast<LPARAM>(a.integer("lparam"));
        a.end();
        if (!PostMessageA(w, msg, wp, lp)) {
            throw CommandError("PostMessage failed (error " + std::to_string(GetLastError()) + ")");
        }
        r.push_back("1");
    };
    h["showasync"] = [](Args& a, Reply& r) { // another program's ShowWindowAsync
        HWND w = liveWindow(a);
        r.push_back(ShowWindowAsync(w, static_cast<int>(a.integer("command"))) ? "1" : "0");
    };
    h["style"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r.push_back(hex32(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE))));
    };
    h["exstyle"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r.push_back(hex32(static_cast<DWORD>(GetWindowLongA(w, GWL_EXSTYLE))));
    };
    h["pid"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        r.push_back(std::to_string(pid));
    };
    h["foreground"] = [](Args& a, Reply& r) {
        a.end();
        r.push_back(hexHandle(GetForegroundWindow()));
    };
    h["visible"] = [](Args& a, Reply& r) {
        HWND w = anyWindow(a);
        a.end();
        r.push_back(IsWindowVisible(w) ? "1" : "0");
    };
    h["enabled"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r.push_back(IsWindowEnabled(w) ? "1" : "0");
    };
    h["exists"] = [](Args& a, Reply& r) {
        HWND w = anyWindow(a);
        a.end();
        r.push_back(IsWindow(w) ? "1" : "0");
    };
    h["guiinfo"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) {
            throw CommandError("GetGUIThreadInfo failed");
        }
        r.push_back("active " + hexHandle(info.hwndActive));
        r.push_back("focus " + hexHandle(info.hwndFocus));
        r.push_back("capture " + hexHandle(info.hwndCapture));
        r.push_back("menuowner " + hexHandle(info.hwndMenuOwner));
    };
    h["udmpos"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        r.push_back(std::to_string(static_cast<long long>(sendOrThrow(w, UDM_GETPOS32, 0, 0))));
    };
    h["pixel"] = [](Args& a, Reply& r) {
        auto x = static_cast<int>(a.integer("x"));
        auto y = static_cast<int>(a.integer("y"));
        a.end();
        ScreenDc dc;
        COLORREF c = GetPixel(dc.get(), x, y);
        if (c == CLR_INVALID) throw CommandError("GetPixel failed");
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%06lx", static_cast<unsigned long>(c));
        r.push_back(buf);
    };
    // A restart of the desktop shell, imitated: the icon goes, then "TaskbarCreated" comes.
    h["traydel"] = [](Args& a, Reply& r) {
        NOTIFYICONDATAA data{};
        data.cbSize = sizeof data;
        data.hWnd = anyWindow(a);
        data.uID = static_cast<UINT>(a.integer("uid"));
        a.end();
        r.push_back(Shell_NotifyIconA(NIM_DELETE, &data) ? "1" : "0");
    };
    h["hotkey"] = [](Args& a, Reply& r) { // held until the probe ends, as another program would
        const auto modifiers = UINT(a.integer("modifiers")), key = UINT(a.integer("key"));
        a.end();
        r.push_back(RegisterHotKey(nullptr, 1, modifiers, key) ? "1" : "0");
    };
    h["broadcast"] = [](Args& a, Reply& r) {
        const std::string name = a.rest();
        if (!PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(name.c_str()), 0, 0))
            throw CommandError("PostMessage failed (error " + std::to_string(GetLastError()) + ")");
        r.push_back("1");
    };
    h["acctree"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        a.end();
        std::vector<HWND> windows = descendants(w);
        windows.insert(windows.begin(), w);
        for (HWND c : windows) {
            IAccessible* acc = clientOf(c);
            long count = 0;
            acc->get_accChildCount(&count);
            for (long i = 0; i <= count; ++i)
                if (std::string line = accLine(c, acc, i); !line.empty()) r.push_back(line);
            acc->Release();
        }
    };
    h["accdo"] = [](Args& a, Reply& r) {
        HWND w = liveWindow(a);
        VARIANT id{};
        id.vt = VT_I4;
        id.lVal = long(a.integer("child"));
        a.end();
        IAccessible* acc = clientOf(w);
        r.push_back(SUCCEEDED(acc->accDoDefaultAction(id)) ? "1" : "0");
        acc->Release();
    };
    h["cursor"] = [](Args& a, Reply& r) {
        a.end();
        POINT p{};
        if (!GetCursorPos(&p)) throw CommandError("GetCursorPos failed");
        r.push_back(std::to_string(p.x) + " " + std::to_string(p.y));
    };
}

Reply Commands::run(std::string_view line) {
    Args args(line);
    Reply reply;
    try {
        if (args.atEnd()) throw CommandError("empty command");
        std::string name = args.word("command");
        auto it = handlers_.find(name);
        if (it == handlers_.end()) throw CommandError("unknown command: " + name);
        it->second(args, reply);
    } catch (const std::exception& e) {
        return {std::string(kErrorPrefix) + escape(e.what())};
    }
    return reply;
}

} // namespace vtl::probe
