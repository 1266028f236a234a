// Where the end-to-end tests find their programs, their display and their Wine prefix. Each value
// comes from the environment when set there, else from what the build configured.
#pragma once

#include <string>
#include <vector>

namespace vtl::e2e::config {

std::string display();      // $DISPLAY; throws when unset
std::string winePrefix();   // $VTL_WINEPREFIX, else the build's default prefix
std::string vantrelExe();   // $VANTREL_EXE
std::string probeExe();     // $VTLPROBE_EXE
std::string fixtureExe();   // $VTLFIXTURE_EXE
std::string artifactsDir(); // $VTL_E2E_ARTIFACTS: screenshots of failed tests go there
std::string scriptsDir();   // the repository's scripts/

// Our environment with the Wine settings the scripts use (private prefix, no debug output, no
// Mono/Gecko install prompts) and DISPLAY.
std::vector<std::string> wineEnvironment();

// File that collects what the Wine processes write to stdout/stderr. Their output must not go to
// the test's own pipes: Wine's helper processes (explorer.exe, services.exe) inherit those and
// would keep them open after the test ends, and ctest waits for them to close.
std::string wineLogFile();

// Makes sure the prefix exists (creating it through scripts/init-wineprefix the first time).
void ensureWinePrefix();

// Throws with a hint when a program the tests need has not been built.
void requireFile(const std::string& path);

} // namespace vtl::e2e::config
