// Unit tests of the end-to-end support code that need neither a display nor Wine.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "probe/probe_args.hpp"
#include "probe/probe_protocol.hpp"
#include "support/error.hpp"
#include "support/line_reader.hpp"
#include "support/probe_reply.hpp"
#include "support/process.hpp"
#include "support/screen.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;
namespace probe = vtl::probe;

TEST(ProbeProtocol, EscapedTextRoundTripsOnOneLine) {
    const std::string text = "a b\\c\r\nd\te \\n";
    std::string escaped = probe::escape(text);
    EXPECT_EQ(escaped.find_first_of("\r\n\t"), std::string::npos);
    EXPECT_EQ(probe::unescape(escaped), text);

    std::string field = probe::escape(text, probe::EscapeMode::Field);
    EXPECT_EQ(field.find(' '), std::string::npos);
    EXPECT_EQ(probe::unescape(field), text);
}

TEST(ProbeProtocol, UnknownEscapesStayAsWritten) {
    EXPECT_EQ(probe::unescape("a\\qb\\"), "a\\qb\\");
}

TEST(ProbeProtocol, DotStuffingKeepsTheTerminatorUnique) {
    EXPECT_EQ(probe::stuffLine("."), "..");
    EXPECT_EQ(probe::stuffLine(".x"), "..x");
    EXPECT_EQ(probe::stuffLine("x."), "x.");
    for (std::string line : {".", "..", ".a", "a", ""}) {
        EXPECT_NE(probe::stuffLine(line), probe::kEndOfReply);
        EXPECT_EQ(probe::unstuffLine(probe::stuffLine(line)), line);
    }
}

TEST(ProbeArgs, SplitsWordsNumbersHandlesAndRest) {
    probe::Args args("send 0x1A2b -5 0x10 12 tail with  spaces");
    EXPECT_EQ(args.word("command"), "send");
    EXPECT_EQ(args.handle("window"), 0x1a2bu);
    EXPECT_EQ(args.integer("a"), -5);
    EXPECT_EQ(args.integer("b"), 16);
    EXPECT_EQ(args.integer("c"), 12);
    EXPECT_EQ(args.rest(), "tail with  spaces");
    EXPECT_TRUE(args.atEnd());
}

TEST(ProbeArgs, RejectsBadOrMissingValues) {
    probe::Args bad("12x");
    EXPECT_THROW(bad.integer("n"), probe::CommandError);
    probe::Args empty("");
    EXPECT_THROW(empty.word("w"), probe::CommandError);
    probe::Args extra("a b");
    extra.word("w");
    EXPECT_THROW(extra.end(), probe::CommandError);
}

TEST(ProbeReply, ParsesAChildLine) {
    WindowInfo w =
        parseWindowLine("0x10064 100 Edit 113 132 313 156 0x50000080 0x00000000 1 two words\\nline",
                        WindowLineKind::Child);
    EXPECT_EQ(w.hwnd, 0x10064u);
    EXPECT_EQ(w.id, 100);
    EXPECT_EQ(w.className, "Edit");
    EXPECT_EQ(w.rect, (Rect{113, 132, 313, 156}));
    EXPECT_EQ(w.style, 0x50000080u);
    EXPECT_EQ(w.exStyle, 0u);
    EXPECT_TRUE(w.visible);
    EXPECT_EQ(w.text, "two words\nline");
}

TEST(ProbeReply, ParsesATopLevelLineWithEmptyTitleAndSpacedClass) {
    WindowInfo w = parseWindowLine("0x20034 116 Shell\\sTray -1 -2 0 0 0x84000000 0x08000000 0 ",
                                   WindowLineKind::TopLevel);
    EXPECT_EQ(w.pid, 116u);
    EXPECT_EQ(w.className, "Shell Tray");
    EXPECT_EQ(w.rect, (Rect{-1, -2, 0, 0}));
    EXPECT_FALSE(w.visible);
    EXPECT_EQ(w.text, "");
}

TEST(ProbeReply, RejectsMalformedAnswers) {
    EXPECT_THROW(parseWindowLine("0x1 2 Edit 1 2 3", WindowLineKind::Child), Error);
    EXPECT_THROW(parseRect("1 2 3"), Error);
    EXPECT_THROW(parseNumber("12a"), Error);
    EXPECT_THROW(parseHwnd("0xg"), Error);
    EXPECT_EQ(parseNumber("-0x10"), -16);
    EXPECT_EQ(parseHwnd("0"), 0u);
    EXPECT_EQ(formatHwnd(0x1005a), "0x1005a");
}

TEST(ScreenshotTest, DecodesBinaryPpm) {
    std::string ppm = "P6\n# made by hand\n2 2\n255\n";
    const unsigned char pixels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 255, 0, 128};
    ppm.append(reinterpret_cast<const char*>(pixels), sizeof pixels);
    Screenshot shot = Screenshot::fromPpm(ppm);
    EXPECT_EQ(shot.width(), 2);
    EXPECT_EQ(shot.height(), 2);
    EXPECT_EQ(shot.pixel(0, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(shot.pixel(1, 0), (Rgb{4, 5, 6}));
    EXPECT_EQ(shot.pixel(1, 1), (Rgb{255, 0, 128}));
    EXPECT_THROW(shot.pixel(2, 0), Error);
    EXPECT_THROW(shot.pixel(0, -1), Error);
}

TEST(ScreenshotTest, RejectsOtherOrBrokenPictures) {
    EXPECT_THROW(Screenshot::fromPpm("P5\n1 1\n255\nx"), Error);
    EXPECT_THROW(Screenshot::fromPpm("P6\n1 1\n65535\nxxxxxx"), Error);
    EXPECT_THROW(Screenshot::fromPpm("P6\n2 1\n255\nabc"), Error);
    EXPECT_THROW(Screenshot::fromPpm("P6\n"), Error);
}

TEST(GeometryTest, ColorRefKeepsRedInTheLowByte) {
    EXPECT_EQ(Rgb::fromColorRef(0x0000ff), (Rgb{255, 0, 0}));
    EXPECT_EQ((Rgb{1, 2, 3}).colorRef(), 0x030201u);
    EXPECT_EQ((Rgb{255, 0, 16}).hex(), "#FF0010");
}

TEST(ProcessTest, RunCommandCollectsOutputAndExitCode) {
    auto r = runCommand({"sh", "-c", "echo out; echo err >&2; exit 3"}, 10s);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "out\n");
    EXPECT_EQ(r.err, "err\n");
}

TEST(ProcessTest, RunCommandFeedsLargeInput) {
    std::string input(300000, 'x');
    input += "end";
    auto r = runCommand({"cat"}, 10s, input);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, input);
}

TEST(ProcessTest, RunCommandKillsWhatOutlivesTheTimeout) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(runCommand({"sleep", "20"}, 200ms), Error);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(ProcessTest, ReportsSignalsLikeAShell) {
    EXPECT_EQ(runCommand({"sh", "-c", "kill -TERM $$"}, 10s).exitCode, 128 + SIGTERM);
}

TEST(ProcessTest, UnknownProgramThrows) {
    SpawnOptions options;
    options.argv = {"/nonexistent/vtl-no-such-program"};
    EXPECT_THROW(ChildProcess{options}, Error);
}

TEST(ProcessTest, WaitExitTimesOutThenKillReaps) {
    SpawnOptions options;
    options.argv = {"sleep", "30"};
    ChildProcess child(options);
    EXPECT_EQ(child.waitExit(50ms), std::nullopt);
    EXPECT_TRUE(child.running());
    child.kill();
    EXPECT_FALSE(child.running());
    EXPECT_EQ(child.waitExit(0ms), std::optional<int>(128 + SIGKILL));
}

TEST(ProcessTest, DestructorLeavesNoZombie) {
    pid_t pid = -1;
    {
        SpawnOptions options;
        options.argv = {"sleep", "30"};
        ChildProcess child(options);
        pid = child.pid();
        ASSERT_EQ(::kill(pid, 0), 0);
    }
    // A zombie would still accept signal 0; a reaped process is gone.
    errno = 0;
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(ProcessTest, WorkingDirectoryAndEnvironment) {
    SpawnOptions options;
    options.argv = {"sh", "-c", "pwd; echo \"$VTL_TEST_VALUE\"; echo \"${HOME-unset}\""};
    options.workingDirectory = "/tmp";
    options.env = environmentWith({{"VTL_TEST_VALUE", "a b"}}, {"HOME"});
    auto r = runCommand(options, 10s);
    EXPECT_EQ(r.out, "/tmp\na b\nunset\n");
}

TEST(LineReaderTest, SplitsLinesDropsCarriageReturnsAndTimesOut) {
    Pipe pipe = Pipe::create();
    LineReader reader(pipe.read.get());
    const std::string data = "one\r\ntwo\nthree";
    ASSERT_EQ(::write(pipe.write.get(), data.data(), data.size()), (ssize_t)data.size());
    auto soon = [] { return std::chrono::steady_clock::now() + 1s; };
    EXPECT_EQ(reader.readLine(soon()), "one");
    EXPECT_EQ(reader.readLine(soon()), "two");
    EXPECT_THROW(reader.readLine(std::chrono::steady_clock::now() + 50ms), Error);
    pipe.write.reset();
    EXPECT_EQ(reader.readLine(soon()), "three");
    EXPECT_EQ(reader.readLine(soon()), std::nullopt);
}
