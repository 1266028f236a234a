// vtlprobe.exe: looks at and pokes windows of other processes for the end-to-end tests.
//
//   vtlprobe.exe --serve          reads one command per line from stdin and answers each on
//                                 stdout, ending the answer with a line "." (one process serves a
//                                 whole test: starting a program under Wine is not cheap)
//   vtlprobe.exe <command...>     runs one command, prints its answer; exit code 1 on ERR
//
// The commands are listed in probe_commands.cpp.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "probe_commands.hpp"

namespace {

void writeReply(const vtl::probe::Reply& reply, bool framed) {
    for (const auto& line : reply) {
        std::string out = framed ? vtl::probe::stuffLine(line) : line;
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fputc('\n', stdout);
    }
    if (framed) {
        std::fwrite(vtl::probe::kEndOfReply.data(), 1, vtl::probe::kEndOfReply.size(), stdout);
        std::fputc('\n', stdout);
    }
    std::fflush(stdout);
}

bool isError(const vtl::probe::Reply& reply) {
    return !reply.empty() && reply.front().starts_with(vtl::probe::kErrorPrefix);
}

int serve(vtl::probe::Commands& commands) {
    std::string line;
    while (!commands.quitRequested() && std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        writeReply(commands.run(line), true);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Plain "\n" line ends both ways, whatever the C runtime's text mode would do.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);

    vtl::probe::Commands commands;
    if (argc == 2 && std::string(argv[1]) == "--serve") return serve(commands);
    if (argc < 2) {
        std::fputs("usage: vtlprobe.exe --serve | vtlprobe.exe <command> [args...]\n", stderr);
        return 2;
    }
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    auto reply = commands.run(line);
    writeReply(reply, false);
    return isError(reply) ? 1 : 0;
}
