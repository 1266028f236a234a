#include "support/xdo.hpp"

#include <cstdio>

#include "support/config.hpp"
#include "support/error.hpp"
#include "support/process.hpp"

namespace vtl::e2e {
namespace {

std::string seconds(std::chrono::milliseconds ms) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(ms.count()) / 1000.0);
    return buf;
}

} // namespace

Xdo::Xdo() : display_(config::display()) {}

void Xdo::run(const std::vector<std::string>& args) const {
    SpawnOptions options;
    options.argv = {"xdotool"};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.env = environmentWith({{"DISPLAY", display_}});
    auto result = runCommand(std::move(options), std::chrono::seconds(30));
    if (result.exitCode != 0) {
        std::string joined;
        for (const auto& a : args)
            joined += " " + a;
        throw Error("xdotool" + joined + " failed: " + result.err);
    }
}

void Xdo::mouseMove(int x, int y) const {
    run({"mousemove", std::to_string(x), std::to_string(y)});
}

void Xdo::mouseDown(int button) const {
    run({"mousedown", std::to_string(button)});
}

void Xdo::mouseUp(int button) const {
    run({"mouseup", std::to_string(button)});
}

void Xdo::click(int button, int repeat) const {
    run({"click", "--repeat", std::to_string(repeat), std::to_string(button)});
}

void Xdo::drag(Point from, Point to, int steps, std::chrono::milliseconds stepDelay,
               int button) const {
    if (steps < 1) steps = 1;
    const std::string pause = seconds(stepDelay);
    const std::string x0 = std::to_string(from.x), y0 = std::to_string(from.y);
    const std::string b = std::to_string(button);
    std::vector<std::string> args = {"mousemove", x0, y0, "sleep", pause};
    args.insert(args.end(), {"mousedown", b, "sleep", pause});
    for (int i = 1; i <= steps; ++i) {
        int x = from.x + (to.x - from.x) * i / steps;
        int y = from.y + (to.y - from.y) * i / steps;
        args.insert(args.end(),
                    {"mousemove", std::to_string(x), std::to_string(y), "sleep", pause});
    }
    args.insert(args.end(), {"mouseup", b});
    run(args);
}

void Xdo::key(const std::string& keys) const {
    run({"key", "--clearmodifiers", keys});
}

void Xdo::type(const std::string& text) const {
    run({"type", "--delay", "20", text});
}

} // namespace vtl::e2e
