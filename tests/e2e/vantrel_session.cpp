#include "vantrel_session.hpp"

#include <cstdlib>
#include <stdexcept>

#include "support/config.hpp"
#include "support/screen.hpp"
#include "support/user.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"

namespace vtl::e2e {

using namespace std::chrono_literals;

namespace {
constexpr unsigned kWmSysCommand = 0x0112;
constexpr unsigned kScClose = 0xF060;
constexpr unsigned kLvmGetHeader = 0x101F;
constexpr int kSavedItemHeight = 17; // measured under Wine with Tahoma 11
} // namespace

std::filesystem::path VantrelSession::dataFolder() {
    const char* user = std::getenv("USER");
    return std::filesystem::path(config::winePrefix()) / "drive_c" / "users" /
           (user && *user ? user : "root") / "AppData" / "Roaming" / "Vantrel";
}

VantrelSession::VantrelSession(bool keepData, const char* boxAtStart) {
    if (!keepData) std::filesystem::remove_all(dataFolder());
    // The shell refuses tray icons while its taskbar window is briefly gone.
    if (!waitUntil([&] { return probe_.findWindow("Shell_TrayWnd") != 0; }, 30s))
        throw std::runtime_error("the taskbar window did not show up");
    app_.emplace(config::vantrelExe());
    if (boxAtStart && !answerBox(probe_, boxAtStart, "OK"))
        throw std::runtime_error(std::string("no box ") + boxAtStart + " at start");
    window_ = probe_.waitWindow("VtlWindow", "Vantrel", 30s);
    if (!window_) throw std::runtime_error("the main window of Vantrel did not show up");
}

VantrelSession::~VantrelSession() {
    if (app_ && app_->running()) {
        close(5s);
        if (app_->running()) app_->kill();
    }
}

Hwnd VantrelSession::control(const char* name) {
    const int id = layout::ControlIdOf(layout::kMainLayout, name);
    if (id < 0) throw std::runtime_error(std::string("no control named ") + name);
    return probe_.child(window_, id).hwnd;
}

Rect VantrelSession::layoutRect(const char* name, int dpi) {
    const auto scaled = [dpi](int v) { return Scaled(v, dpi); };
    const Rect client = probe_.clientRect(window_);
    int x = 0, y = 0;
    const layout::Item* item = nullptr;
    // Walk up the parents of the row, adding their offsets.
    for (const char* n = name; *n;) {
        const int i = layout::IndexOf(layout::kMainLayout, n);
        if (i < 0) throw std::runtime_error(std::string("no layout row ") + n);
        const layout::Item& row = layout::kMainLayout[i];
        if (!item) item = &row;
        x += scaled(row.left);
        y += scaled(row.top);
        n = row.parent;
    }
    return {client.left + x, client.top + y,
            client.left + x + scaled(item->left + item->width) - scaled(item->left),
            client.top + y + scaled(item->top + item->height) - scaled(item->top)};
}

bool VantrelSession::dragFrom(const char* icon, Point target, int dpi, Point xOrigin) {
    const Point from = layoutRect(icon, dpi).center();
    Xdo xdo;
    xdo.mouseMove(from.x + xOrigin.x, from.y + xOrigin.y);
    xdo.mouseDown(1);
    for (int i = 1; i <= 6; ++i)
        xdo.mouseMove(xOrigin.x + from.x + (target.x - from.x) * i / 6,
                      xOrigin.y + from.y + (target.y - from.y) * i / 6);
    const std::string status = "X:" + std::to_string(target.x) + " Y:" + std::to_string(target.y);
    return waitUntil([&] { return text("StatusBar1") == status; }, 5s);
}

bool VantrelSession::magnifierShows(Point pointer,
                                    const std::function<std::optional<Rgb>(Point)>& screen, int dpi,
                                    Point xOrigin) {
    const Rect zoom = layoutRect("imgZoom", dpi);
    const int zw = zoom.right - zoom.left, zh = zoom.bottom - zoom.top;
    return waitUntil(
        [&] {
            const Screenshot shot = Screen().capture();
            for (int my = 0; my < zh; my += 3)
                for (int mx = 0; mx < zw; mx += 2) {
                    const auto want = screen({pointer.x - zw / 2 + mx, pointer.y - zh / 2 + my});
                    if (want &&
                        shot.pixel(xOrigin.x + zoom.left + mx, xOrigin.y + zoom.top + my) != *want)
                        return false;
                }
            return true;
        },
        5s);
}

void VantrelSession::pinKeys() {
    Xdo().run({"search", "--onlyvisible", "--name", "^Vantrel$", "windowfocus"});
}

Point VantrelSession::savedItem(int index) {
    const Rect header = probe_.rect(Hwnd(probe_.send(control("ListView1"), kLvmGetHeader)));
    return {header.left + 30, header.bottom + kSavedItemHeight * index + kSavedItemHeight / 2};
}

bool VantrelSession::save(const std::function<void()>& atClick) {
    Xdo xdo;
    xdo.mouseMove(layoutRect("btnHtmlCopy").center());
    xdo.click(1);
    return chooseMenuItem(probe_, -1, atClick);
}

std::optional<int> VantrelSession::close(std::chrono::milliseconds timeout) {
    probe_.post(window_, kWmSysCommand, kScClose, 0);
    return app_->waitExit(timeout);
}

} // namespace vtl::e2e
