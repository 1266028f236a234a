#include "support/probe.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "probe/probe_protocol.hpp"
#include "support/config.hpp"

namespace vtl::e2e {
namespace {

std::string word(const std::string& text) {
    return probe::escape(text, probe::EscapeMode::Field);
}

std::string hwndArg(Hwnd hwnd) {
    std::string arg(1, ' ');
    arg += formatHwnd(hwnd);
    return arg;
}

std::string messageArgs(Hwnd hwnd, unsigned message, long long wParam, long long lParam) {
    return hwndArg(hwnd) + " " + std::to_string(message) + " " + std::to_string(wParam) + " " +
           std::to_string(lParam);
}

} // namespace

Probe::Probe() : process_(start()), reader_(process_.stdoutPipe().get()) {
    auto reply = call("ping", kStartTimeout);
    if (reply.empty() || reply.back() != "pong") throw Error("vtlprobe.exe did not answer ping");
}

Probe::~Probe() {
    try {
        if (!broken_ && process_.running()) {
            writeCommand("quit");
            process_.stdinPipe().reset();
            if (!process_.waitExit(std::chrono::seconds(3))) process_.kill();
        }
    } catch (const std::exception&) {
        process_.kill();
    }
}

ChildProcess Probe::start() {
    config::requireFile(config::probeExe());
    config::ensureWinePrefix();
    SpawnOptions options;
    options.argv = {"wine", config::probeExe(), "--serve"};
    options.env = config::wineEnvironment();
    options.in = Stdio::Pipe;
    options.out = Stdio::Pipe;
    options.err = Stdio::AppendTo;
    options.errFile = config::wineLogFile();
    return ChildProcess(options);
}

void Probe::writeCommand(const std::string& command) {
    std::string line = command + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        ssize_t n = ::write(process_.stdinPipe().get(), line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(std::string("vtlprobe.exe input: ") + std::strerror(errno));
        done += static_cast<std::size_t>(n);
    }
}

std::vector<std::string> Probe::call(const std::string& command,
                                     std::chrono::milliseconds timeout) {
    if (broken_)
        throw Error("vtlprobe.exe stopped answering earlier; cannot run '" + command + "'");
    if (command.find_first_of("\r\n") != std::string::npos) {
        throw Error("probe commands are single lines: '" + command + "'");
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<std::string> lines;
    try {
        writeCommand(command);
        for (;;) {
            auto line = reader_.readLine(deadline);
            if (!line) throw Error("vtlprobe.exe ended");
            if (*line == probe::kEndOfReply) break;
            lines.push_back(probe::unstuffLine(*line));
        }
    } catch (const Error& e) {
        broken_ = true;
        process_.kill();
        throw Error("vtlprobe.exe, command '" + command + "': " + e.what());
    }
    if (!lines.empty() && lines.front().starts_with(probe::kErrorPrefix)) {
        throw ProbeError("vtlprobe.exe, command '" + command +
                         "': " + probe::unescape(lines.front().substr(probe::kErrorPrefix.size())));
    }
    return lines;
}

std::string Probe::single(const std::string& command, std::chrono::milliseconds timeout) {
    auto lines = call(command, timeout);
    if (lines.size() != 1) {
        throw Error("vtlprobe.exe, command '" + command + "': expected one line, got " +
                    std::to_string(lines.size()));
    }
    return lines.front();
}

Hwnd Probe::findWindow(const std::string& windowClass, const std::string& title) {
    return parseHwnd(single("find " + word(windowClass) + " " + probe::escape(title)));
}

Hwnd Probe::waitWindow(const std::string& windowClass, const std::string& title,
                       std::chrono::milliseconds timeout) {
    return parseHwnd(single("wait " + std::to_string(timeout.count()) + " " + word(windowClass) +
                                " " + probe::escape(title),
                            timeout + kCallTimeout));
}

bool Probe::waitGone(Hwnd hwnd, std::chrono::milliseconds timeout) {
    return single("waitgone " + std::to_string(timeout.count()) + hwndArg(hwnd),
                  timeout + kCallTimeout) == "1";
}

bool Probe::waitHidden(Hwnd hwnd, std::chrono::milliseconds timeout) {
    return single("waithidden " + std::to_string(timeout.count()) + hwndArg(hwnd),
                  timeout + kCallTimeout) == "1";
}

std::vector<WindowInfo> Probe::topLevelWindows(std::optional<unsigned> pid) {
    std::vector<WindowInfo> windows;
    for (const auto& line : call(pid ? "toplevel " + std::to_string(*pid) : "toplevel")) {
        windows.push_back(parseWindowLine(line, WindowLineKind::TopLevel));
    }
    return windows;
}

std::vector<WindowInfo> Probe::children(Hwnd parent) {
    std::vector<WindowInfo> windows;
    for (const auto& line : call("children" + hwndArg(parent))) {
        windows.push_back(parseWindowLine(line, WindowLineKind::Child));
    }
    return windows;
}

WindowInfo Probe::child(Hwnd parent, int id) {
    for (auto& w : children(parent)) {
        if (w.id == id) return w;
    }
    throw Error("window " + formatHwnd(parent) + " has no child with id " + std::to_string(id));
}

std::string Probe::text(Hwnd hwnd) {
    return probe::unescape(single("text" + hwndArg(hwnd)));
}

std::string Probe::accName(Hwnd hwnd) {
    return accTree(hwnd).front().name;
}

std::vector<AccElement> Probe::accTree(Hwnd hwnd) {
    std::vector<AccElement> elements;
    for (const std::string& line : call("acctree" + hwndArg(hwnd))) {
        AccElement& e = elements.emplace_back();
        std::istringstream in(line);
        in >> e.name >> e.child >> e.role >> e.rect.left >> e.rect.top >> e.rect.right >>
            e.rect.bottom;
        e.hwnd = parseHwnd(e.name);
        in.ignore(1);
        std::getline(in, e.name, '\t');
        std::getline(in, e.action);
        e.name = probe::unescape(e.name), e.action = probe::unescape(e.action);
    }
    return elements;
}

bool Probe::accDo(const AccElement& e) {
    return single("accdo" + hwndArg(e.hwnd) + " " + std::to_string(e.child)) == "1";
}

long long Probe::setText(Hwnd hwnd, const std::string& text) {
    return parseNumber(single("settext" + hwndArg(hwnd) + " " + probe::escape(text)));
}

std::string Probe::className(Hwnd hwnd) {
    return probe::unescape(single("class" + hwndArg(hwnd)));
}

Hwnd Probe::parent(Hwnd hwnd) {
    return parseHwnd(single("parent" + hwndArg(hwnd)));
}
Hwnd Probe::owner(Hwnd hwnd) {
    return parseHwnd(single("owner" + hwndArg(hwnd)));
}
Rect Probe::rect(Hwnd hwnd) {
    return parseRect(single("rect" + hwndArg(hwnd)));
}
Rect Probe::clientRect(Hwnd hwnd) {
    return parseRect(single("clientrect" + hwndArg(hwnd)));
}

std::optional<std::vector<Rect>> Probe::region(Hwnd hwnd) {
    auto lines = call("region" + hwndArg(hwnd));
    if (lines.size() == 1 && lines.front() == "none") return std::nullopt;
    std::vector<Rect> rects;
    for (const auto& line : lines)
        rects.push_back(parseRect(line));
    return rects;
}

long long Probe::send(Hwnd hwnd, unsigned message, long long wParam, long long lParam) {
    return parseNumber(single("send" + messageArgs(hwnd, message, wParam, lParam)));
}

void Probe::post(Hwnd hwnd, unsigned message, long long wParam, long long lParam) {
    single("post" + messageArgs(hwnd, message, wParam, lParam));
}

void Probe::showAsync(Hwnd hwnd, int command) {
    single("showasync" + hwndArg(hwnd) + " " + std::to_string(command));
}

std::uint32_t Probe::style(Hwnd hwnd) {
    return static_cast<std::uint32_t>(parseNumber(single("style" + hwndArg(hwnd))));
}

std::uint32_t Probe::exStyle(Hwnd hwnd) {
    return static_cast<std::uint32_t>(parseNumber(single("exstyle" + hwndArg(hwnd))));
}

unsigned Probe::pid(Hwnd hwnd) {
    return static_cast<unsigned>(parseNumber(single("pid" + hwndArg(hwnd))));
}

Hwnd Probe::foreground() {
    return parseHwnd(single("foreground"));
}
bool Probe::visible(Hwnd hwnd) {
    return single("visible" + hwndArg(hwnd)) == "1";
}
bool Probe::enabled(Hwnd hwnd) {
    return single("enabled" + hwndArg(hwnd)) == "1";
}
bool Probe::exists(Hwnd hwnd) {
    return single("exists" + hwndArg(hwnd)) == "1";
}

GuiThreadInfo Probe::guiInfo(Hwnd hwnd) {
    GuiThreadInfo info;
    for (const auto& line : call("guiinfo" + hwndArg(hwnd))) {
        auto space = line.find(' ');
        if (space == std::string::npos) throw Error("bad guiinfo line: '" + line + "'");
        std::string key = line.substr(0, space);
        Hwnd value = parseHwnd(line.substr(space + 1));
        if (key == "active") info.active = value;
        if (key == "focus") info.focus = value;
        if (key == "capture") info.capture = value;
        if (key == "menuowner") info.menuOwner = value;
    }
    return info;
}

int Probe::udmPos(Hwnd hwnd) {
    return static_cast<int>(parseNumber(single("udmpos" + hwndArg(hwnd))));
}

Rgb Probe::pixel(int x, int y) {
    auto value = parseNumber(single("pixel " + std::to_string(x) + " " + std::to_string(y)));
    return Rgb::fromColorRef(static_cast<std::uint32_t>(value));
}

Point Probe::cursor() {
    return parsePoint(single("cursor"));
}

bool Probe::trayDelete(Hwnd hwnd, unsigned uid) {
    return single("traydel" + hwndArg(hwnd) + " " + std::to_string(uid)) == "1";
}

void Probe::broadcast(const std::string& messageName) {
    single("broadcast " + messageName);
}

} // namespace vtl::e2e
