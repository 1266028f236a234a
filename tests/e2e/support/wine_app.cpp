#include "support/wine_app.hpp"

#include "support/config.hpp"

namespace vtl::e2e {

WineApp::WineApp(const std::string& exe, const std::vector<std::string>& args,
                 const std::optional<std::string>& workingDirectory)
    : process_(start(exe, args, workingDirectory)) {}

ChildProcess WineApp::start(const std::string& exe, const std::vector<std::string>& args,
                            const std::optional<std::string>& workingDirectory) {
    config::requireFile(exe);
    config::ensureWinePrefix();
    SpawnOptions options;
    options.argv = {"wine", exe};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.env = config::wineEnvironment();
    options.workingDirectory = workingDirectory;
    options.out = Stdio::AppendTo;
    options.outFile = config::wineLogFile();
    options.err = Stdio::AppendTo;
    options.errFile = options.outFile;
    return ChildProcess(options);
}

} // namespace vtl::e2e
