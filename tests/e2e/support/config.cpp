#include "support/config.hpp"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "support/error.hpp"
#include "support/process.hpp"

namespace vtl::e2e::config {
namespace {

std::string fromEnv(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

} // namespace

std::string display() {
    const char* value = std::getenv("DISPLAY");
    if (!value || !*value) {
        throw Error("DISPLAY is not set: run the end-to-end tests through scripts/test, or "
                    "`source scripts/env.sh` first");
    }
    return value;
}

std::string winePrefix() {
    return fromEnv("VTL_WINEPREFIX", VTL_E2E_WINEPREFIX);
}
std::string vantrelExe() {
    return fromEnv("VANTREL_EXE", VTL_E2E_VANTREL_EXE);
}
std::string probeExe() {
    return fromEnv("VTLPROBE_EXE", VTL_E2E_PROBE_EXE);
}
std::string fixtureExe() {
    return fromEnv("VTLFIXTURE_EXE", VTL_E2E_FIXTURE_EXE);
}
std::string artifactsDir() {
    return fromEnv("VTL_E2E_ARTIFACTS", VTL_E2E_ARTIFACTS_DIR);
}

std::vector<std::string> wineEnvironment() {
    return environmentWith({{"WINEPREFIX", winePrefix()},
                            {"WINEDEBUG", "-all"},
                            {"WINEDLLOVERRIDES", "mscoree,mshtml="},
                            {"DISPLAY", display()}},
                           {"WINEARCH"});
}

std::string wineLogFile() {
    std::filesystem::path dir = artifactsDir();
    std::filesystem::create_directories(dir);
    return (dir / "wine.log").string();
}

void ensureWinePrefix() {
    static std::mutex mutex;
    static bool ready = false;
    std::lock_guard lock(mutex);
    if (ready) return;
    if (!std::filesystem::exists(std::filesystem::path(winePrefix()) / ".vtl-ready")) {
        SpawnOptions options;
        options.argv = {scriptsDir() + "/init-wineprefix"};
        options.env = environmentWith({{"VTL_WINEPREFIX", winePrefix()}, {"DISPLAY", display()}});
        ChildProcess init(options);
        auto code = init.waitExit(std::chrono::minutes(3));
        if (code != 0) throw Error("could not create the Wine prefix " + winePrefix());
    }
    ready = true;
}

std::string scriptsDir() {
    return VTL_E2E_SCRIPTS_DIR;
}

void requireFile(const std::string& path) {
    if (!std::filesystem::exists(path)) {
        throw Error(path + " does not exist: build the Win32 tree first (scripts/build win32)");
    }
}

} // namespace vtl::e2e::config
