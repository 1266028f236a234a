// Soak benchmark (not a test), in one process with the real main window: 10,000 picks, 1,000
// openings and closings of each of the program's own dialogs (Values, About, a confirmation
// answered No) and 1,000 saves, in four equal rounds. Prints live GDI objects, the process's
// windows and menus, committed memory and working set at the start and after each round.
// After the first round nothing should grow but what the saves add on purpose: the list's
// entries, their texts and swatches. When something else grew, a round of each part alone
// follows and says which.
//
// Run (after a Win32 build, on the test display and prefix, e.g. after `. scripts/env.sh`):
//   scripts/wine-exec build/win32/bench/soak_bench.exe [divisor [parts]]
// A divisor of 10 runs a tenth of it; parts picks what runs, any of p (picks), v (Values),
// a (About), q (question) and s (saves), all by default: what grows is found by leaving parts out.
// It replaces colors.ini in the prefix's data folder.
//
// `soak_bench.exe colors [seconds [ar]]` soaks colors.ini instead: for 20 s another process (this
// program again) adds a line of its own every 20 to 50 ms, opening, writing and closing the file;
// in a second run it rewrites the file in place (reads it, empties it, writes it again with its
// line after a moment, as an editor saves). Meanwhile the window saves 100 colours, each with
// Ctrl+S typed into it. Prints the lines lost on either side and the slowest Save.
#include "GdiObjects.h"
#include "UserObjects.h"
#include "main/MainForm.h"
#include "ui/Application.h"

#include "BenchClock.h"
#include "BenchColorsFile.h"
#include "ProcessMemory.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace vtl;

unsigned long CommittedKiB() {
    return (unsigned long)(bench::CommittedBytes() / 1024);
}

void Print(const char* when) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("%-16s GDI objects %5d, windows %4d, menus %4d, committed %7lu KiB, working set "
                "%7lu KiB\n",
                when, bench::LiveGdiObjects(), bench::LiveWindows(), bench::LiveMenus(),
                (unsigned long)(pmc.PagefileUsage / 1024),
                (unsigned long)(pmc.WorkingSetSize / 1024));
    std::fflush(stdout);
}

// The dialogs answered so far: proof that each opening really showed one. Counted without
// allocating, so that the count adds nothing to the memory measured.
int answered = 0;

void Answer(HWND w, UINT msg, WPARAM wp) {
    static HWND last = nullptr;
    PostMessageA(w, msg, wp, 0);
    if (w != last) ++answered;
    last = w;
}

// Answers whatever dialog of ours is open, as the user would: No to a question, the close box
// of a form.
BOOL CALLBACK CloseDialog(HWND w, LPARAM) {
    char cls[32] = {}, text[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    if (!IsWindowVisible(w)) return TRUE;
    if (std::string(cls) == "#32770") Answer(w, WM_COMMAND, IDNO);
    if (std::string(text) == "Values" || std::string(text) == "About") Answer(w, WM_CLOSE, 0);
    return TRUE;
}

void CALLBACK CloseDialogs(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &CloseDialog, 0);
}

// A pick as the mouse makes it: press on the icon, two moves over the screen, release.
bool Pick(TfrmMain& form, int i) {
    SendMessageA(form.pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 19));
    for (int k = 0; k < 2; ++k) {
        SetCursorPos((i * 37 + k * 11) % 1000, (i * 17 + k * 5) % 700);
        form.FormMouseMove();
    }
    const bool picked = form.Picking();
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    return picked && !form.Picking();
}

// What one round does; a count of 0 leaves that part out.
struct Round {
    int picks, values, abouts, questions;
};

int failedPicks = 0;

void PicksAndDialogs(TfrmMain& form, const Round& r) {
    for (int i = 0; i < r.picks; ++i) {
        failedPicks += !Pick(form, i);
        if (i % 50 == 0) Application().ProcessMessages();
    }
    const UINT_PTR closer = SetTimer(nullptr, 0, 1, &CloseDialogs);
    for (int i = 0; i < std::max({r.values, r.abouts, r.questions}); ++i) {
        if (i < r.values) form.OpenSavedColor();
        if (i < r.abouts) form.mnuTray_AboutClick();
        if (i < r.questions) form.mnuMyColors_Open2Click();
    }
    KillTimer(nullptr, closer);
    Application().ProcessMessages();
}

// The other program of the colors.ini soak: lines #AB0001, #AB0002, ... until the time is up;
// its exit code is the number it wrote. A file Vantrel has open is tried again a moment later.
int OtherWriter(bool rewrite, const char* path, int seconds) {
    srand(GetCurrentProcessId());
    int lines = 0;
    for (const double end = Now() + seconds * 1000.0; Now() < end;) {
        Sleep(20 + rand() % 31);
        char line[16];
        std::snprintf(line, sizeof line, "#AB%04X\r\n", lines + 1);
        HANDLE f = INVALID_HANDLE_VALUE;
        while ((f = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) ==
               INVALID_HANDLE_VALUE)
            Sleep(1);
        std::string bytes;
        DWORD n = 0;
        if (rewrite) {
            char buf[4096];
            while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0)
                bytes.append(buf, n);
            SetFilePointer(f, 0, nullptr, FILE_BEGIN);
            SetEndOfFile(f);
            Sleep(10);
        } else {
            SetFilePointer(f, 0, nullptr, FILE_END);
        }
        bytes += line;
        WriteFile(f, bytes.data(), DWORD(bytes.size()), &n, nullptr);
        CloseHandle(f);
        ++lines;
    }
    return lines;
}

void CALLBACK AnswerNotices(HWND, UINT, UINT_PTR, DWORD);

int notices = 0;

BOOL CALLBACK AnswerNotice(HWND w, LPARAM) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (IsWindowVisible(w) && std::string(cls) == "#32770") {
        ++notices;
        PostMessageA(w, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void CALLBACK AnswerNotices(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &AnswerNotice, 0);
}

void TypeCtrlS() {
    INPUT keys[4] = {};
    const WORD vk[4] = {VK_CONTROL, 'S', 'S', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = vk[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

// One run: the other program writes for `seconds` while the window saves 100 colours.
void ColorsSoak(bool rewrite, int seconds) {
    const std::string path = ColorsFile();
    DeleteFileA(path.c_str());
    auto form = std::make_unique<TfrmMain>();
    form->Show();
    SetForegroundWindow(form->Handle());
    form->ListView1->SetFocus();
    Application().ProcessMessages();
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" writer " +
                          (rewrite ? "rewrite" : "append") + " \"" + path + "\" " +
                          std::to_string(seconds);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION other{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &other)) {
        std::printf("the other program did not start\n");
        return;
    }
    const UINT_PTR answerer = SetTimer(nullptr, 0, 50, &AnswerNotices);
    notices = 0;
    std::vector<std::string> saved;
    double slowest = 0;
    int untaken = 0;
    const double start = Now();
    for (int i = 0; i < 100; ++i) {
        // Spread over the other program's time: one Save about every 200 ms.
        while (Now() < start + i * seconds * 9.5)
            Application().ProcessMessages(), Sleep(1);
        form->ShowCurrentColor(TColor(0x00CD0000 + i)); // #0000CD, #0100CD, ...
        const std::string text = form->edtHtml->Text();
        // As the user would click it again: a box told about the file may have taken the front.
        if (GetActiveWindow() != form->Handle()) {
            SetForegroundWindow(form->Handle());
            form->ListView1->SetFocus();
        }
        const double t0 = Now();
        TypeCtrlS();
        const auto done = [&] {
            const HWND list = form->ListView1->Handle();
            char last[64] = {};
            ListView_GetItemText(list, ListView_GetItemCount(list) - 1, 1, last, sizeof last);
            return text == last;
        };
        while (!done() && Now() < t0 + 5000) {
            Application().ProcessMessages();
            Sleep(0);
        }
        untaken += !done();
        slowest = std::max(slowest, Now() - t0);
        saved.push_back(text);
    }
    WaitForSingleObject(other.hProcess, INFINITE);
    DWORD written = 0;
    GetExitCodeProcess(other.hProcess, &written);
    CloseHandle(other.hProcess);
    CloseHandle(other.hThread);
    KillTimer(nullptr, answerer);
    Application().ProcessMessages();
    std::string file;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
            file.append(buf, n);
        std::fclose(f);
    }
    const auto lost = [&](const std::string& line) {
        return file.find(line + "\r\n") == std::string::npos;
    };
    int lostOther = 0, lostOurs = 0;
    for (DWORD k = 1; k <= written; ++k) {
        char line[16];
        std::snprintf(line, sizeof line, "#AB%04lX", (unsigned long)k);
        lostOther += lost(line);
    }
    for (const std::string& text : saved)
        lostOurs += lost(text);
    std::printf(
        "%-8s the other program's lines lost: %d of %lu; Vantrel's colours lost: %d of %zu; "
        "slowest Save %.0f ms; Saves not seen: %d; told: %d\n",
        rewrite ? "rewrite" : "append", lostOther, (unsigned long)written, lostOurs, saved.size(),
        slowest, untaken, notices);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 4 && std::string(argv[1]) == "writer")
        return OtherWriter(std::string(argv[2]) == "rewrite", argv[3], std::atoi(argv[4]));
    if (argc > 1 && std::string(argv[1]) == "colors") {
        const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
        Application().Initialize();
        Application().OnException = [](const std::string& m) {
            std::printf("error: %s\n", m.c_str());
        };
        const std::string runs = argc > 3 ? argv[3] : "ar";
        for (const char run : runs)
            ColorsSoak(run == 'r', seconds);
        return 0;
    }
    const int divisor = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const std::string parts = argc > 2 ? argv[2] : "pvaqs";
    const auto share = [&](char part, int n) {
        return parts.find(part) == std::string::npos ? 0 : n / divisor;
    };
    const Round all{share('p', 2500), share('v', 250), share('a', 250), share('q', 250)};
    const int saves = share('s', 250);
    DeleteFileA(ColorsFile().c_str());
    Application().Initialize();
    Application().OnException = [](const std::string& m) { std::printf("error: %s\n", m.c_str()); };
    auto form = std::make_unique<TfrmMain>();
    form->Show();
    Application().ProcessMessages();
    Print("start");
    unsigned long bySaves = 0, byTheRest = 0, last = CommittedKiB();
    for (int round = 1; round <= 4; ++round) {
        const double t0 = Now();
        PicksAndDialogs(*form, all);
        const unsigned long beforeSaves = CommittedKiB();
        for (int i = 0; i < saves; ++i)
            form->Save1Click();
        Application().ProcessMessages();
        // The saves grow the list on purpose; after the first round the rest should not grow.
        const unsigned long now = CommittedKiB();
        bySaves += now - beforeSaves;
        if (round > 1) byTheRest += beforeSaves - last;
        last = now;
        char when[32];
        std::snprintf(when, sizeof when, "round %d (%.0f s)", round, (Now() - t0) / 1000);
        Print(when);
    }
    const int dialogs = 4 * (all.values + all.abouts + all.questions);
    std::printf("%d picks, %d Values, %d About, %d questions, %d saves; %d picks did not run as a "
                "pick, %d of %d dialogs were not seen\n",
                4 * all.picks, 4 * all.values, 4 * all.abouts, 4 * all.questions, 4 * saves,
                failedPicks, dialogs - answered, dialogs);
    std::printf("committed memory grown by the saves: %lu KiB; by the rest after the first "
                "round: %ld KiB\n",
                bySaves, long(byTheRest));
    if (long(byTheRest) <= 0) return 0;
    // Something grew: one more round of each part alone, with the list as it is now, says which.
    const Round alone[] = {{all.picks, 0, 0, 0},
                           {0, all.values, 0, 0},
                           {0, 0, all.abouts, 0},
                           {0, 0, 0, all.questions}};
    const char* names[] = {"picks", "Values", "About", "questions"};
    for (int k = 0; k < 4; ++k) {
        const unsigned long before = CommittedKiB();
        PicksAndDialogs(*form, alone[k]);
        std::printf("  a round of %-9s alone: %+ld KiB committed\n", names[k],
                    long(CommittedKiB() - before));
    }
    return 0;
}
