#include "support/holder.hpp"

#include <stdexcept>

#include "support/config.hpp"

namespace vtl::e2e {

using namespace std::chrono_literals;

namespace {
SpawnOptions Options(const std::string& windowsPath, const std::string& how,
                     const std::string& line) {
    SpawnOptions o;
    std::string exe = config::vantrelExe();
    exe = exe.substr(0, exe.rfind('/') + 1) + "vtlclipholder.exe";
    o.argv = {"wine", exe};
    if (!windowsPath.empty()) o.argv.push_back(windowsPath);
    if (!how.empty()) o.argv.insert(o.argv.end(), {how, line});
    o.env = config::wineEnvironment();
    o.in = Stdio::Pipe;
    o.out = Stdio::Pipe;
    o.err = Stdio::AppendTo;
    o.errFile = config::wineLogFile();
    return o;
}
} // namespace

Holder::Holder(const std::string& windowsPath, const std::string& how, const std::string& added)
    : process_(Options(windowsPath, how, added)), reader_(process_.stdoutPipe().get()) {
    const auto line = reader_.readLine(std::chrono::steady_clock::now() + 30s);
    if (!line || *line != "held") throw std::runtime_error("the holder did not start");
}

void Holder::release() {
    process_.stdinPipe().reset();
    process_.waitExit(10s);
}

} // namespace vtl::e2e
