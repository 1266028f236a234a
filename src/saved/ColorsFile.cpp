#include "saved/ColorsFile.h"

#include "ui/Error.h"
#include "ui/Handles.h"

#include <cctype>
#include <cstdio>
#include <new>
#include <string_view>
#include <utility>

namespace vtl {

namespace {

// The system's text for an error code, without the line end it ends with.
std::string Reason(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = n && text ? std::string(text, n) : "";
    if (text) LocalFree(text);
    while (!s.empty() &&
           (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.'))
        s.pop_back();
    return (s.empty() ? "Error" : s) + " (code " + std::to_string(code) + ")";
}

// A failure of one step, with the reason the user reads.
class FileError : public Error {
  public:
    using Error::Error;
};

[[noreturn]] void Fail(DWORD code) {
    throw FileError(Reason(code));
}

KernelHandle OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) Fail(GetLastError());
    return KernelHandle(h);
}

// The file's bytes, never more than the limit: a file that grows while it is read is caught too.
std::string ReadWhole(const std::string& path, unsigned long long limit) {
    const KernelHandle file =
        OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) Fail(GetLastError());
    const auto tooLarge = [&](unsigned long long bytes) {
        return FileError("It holds " + std::to_string(bytes >> 20) +
                         " MB, far more than any list of saved colours (at most " +
                         std::to_string(limit >> 20) + " MB are read)");
    };
    if (static_cast<unsigned long long>(size.QuadPart) > limit) throw tooLarge(size.QuadPart);
    std::string bytes;
    bytes.reserve(size_t(size.QuadPart));
    char buf[64 * 1024];
    DWORD got = 0;
    do {
        if (!ReadFile(file.Get(), buf, sizeof buf, &got, nullptr)) Fail(GetLastError());
        if (bytes.size() + got > limit) throw tooLarge(bytes.size() + got);
        bytes.append(buf, got);
    } while (got > 0);
    return bytes;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Something is there: a file, or a folder that a backup must not be moved onto either.
bool NameTaken(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Our temporary files: the name of the file they will become, a dot, eight hex digits, ".tmp".
// Nothing else in the folder ever matches, so nothing else is ever removed as one.
constexpr size_t kTempDigits = 8;

bool IsTempOf(const std::string& name, const std::string& target) {
    const std::string_view tail = ".tmp";
    if (name.size() < target.size() + 1 + kTempDigits + tail.size()) return false;
    if (name.compare(0, target.size() + 1, target + ".") != 0) return false;
    if (name.compare(name.size() - tail.size(), tail.size(), tail) != 0) return false;
    const size_t digits = name.size() - tail.size() - kTempDigits;
    if (name[digits - 1] != '.') return false;
    for (size_t i = digits; i < digits + kTempDigits; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

// A new, empty temporary file for target, open for writing, and its path.
std::pair<KernelHandle, std::string> CreateTempFor(const std::string& target) {
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0;; ++attempt) {
        char digits[kTempDigits + 1];
        snprintf(digits, sizeof digits, "%08lX", static_cast<unsigned long>(seed + attempt));
        std::string temp = target + "." + digits + ".tmp";
        HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return {KernelHandle(h), std::move(temp)};
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS || attempt == 100) Fail(code);
    }
}

} // namespace

TColorsFile::TColorsFile(std::string path) : path_(std::move(path)) {}

void TColorsFile::Tell(const std::string& text) {
    notice_ += (notice_.empty() ? "" : "\n\n") + text;
}

std::vector<SavedColor> TColorsFile::Load() {
    RemoveLeftovers();
    const DWORD attr = GetFileAttributesA(path_.c_str());
    std::string problem;
    if (attr == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return {};
        problem = Reason(code);
    } else if (attr & FILE_ATTRIBUTE_DIRECTORY) {
        problem = "It is a folder, not a file";
    }
    std::string bytes;
    if (problem.empty()) {
        try {
            bytes = ReadWhole(path_, kMaxBytes);
            SavedColorsText parsed = ParseSavedColors(bytes);
            if (parsed.dropsText) backupBytes_ = std::move(bytes);
            return std::move(parsed.entries);
        } catch (const FileError& e) {
            problem = e.what();
        } catch (const std::bad_alloc&) {
            problem = kNoMemory;
        }
    }
    LeaveAlone(problem);
    return {};
}

void TColorsFile::LeaveAlone(const std::string& problem) {
    // Writing now would replace colours we could not even see.
    unreadable_ = true;
    backupBytes_.clear();
    backupBytes_.shrink_to_fit();
    Tell("The saved colours could not be read from\n" + path_ + "\n" + problem +
         ".\n\nColours saved now stay in the list until Vantrel ends; the file is left "
         "as it is.");
}

void TColorsFile::RemoveLeftovers() const {
    const std::string folder = FolderOf(path_), name = NameOf(path_);
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "\\" + name + ".*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        // A leftover that cannot go now is tried again at the next start.
        const std::string leftover = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTempOf(leftover, name))
            DeleteFileA((folder + "\\" + leftover).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

void TColorsFile::WriteWhole(const std::string& path, const std::string& bytes,
                             bool replace) const {
    // A temporary file in the same folder, moved over the file at the end: the file is
    // replaced whole or not at all, also when the program is killed or the disk is full.
    // Wine replaces a read-only file where Windows refuses: ask the attribute ourselves.
    const DWORD attr = GetFileAttributesA(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
        throw FileError("The file is read-only");
    auto [file, temp] = CreateTempFor(path);
    try {
        DWORD written = 0;
        if (!bytes.empty() &&
            (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
             written != bytes.size()))
            Fail(GetLastError());
        if (!FlushFileBuffers(file.Get())) Fail(GetLastError());
        file.Reset();
        const DWORD how = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        if (!MoveFileExA(temp.c_str(), path.c_str(), how)) Fail(GetLastError());
    } catch (...) {
        file.Reset();
        DeleteFileA(temp.c_str());
        throw;
    }
}

std::string TColorsFile::FreeBackupPath() const {
    // An earlier backup is never replaced: it may hold what this one does not.
    std::string backup = path_ + ".bak";
    for (int n = 1; NameTaken(backup); ++n)
        backup = path_ + "." + std::to_string(n) + ".bak";
    return backup;
}

void TColorsFile::Store(const std::vector<std::string>& texts) {
    if (unreadable_) return; // told at start
    std::string writing;
    try {
        if (!backupBytes_.empty()) {
            writing = FreeBackupPath();
            WriteWhole(writing, backupBytes_, false);
            backupBytes_.clear();
            Tell("Some lines of\n" + path_ +
                 "\nare not colours and are left out of the list. The file as it was is kept "
                 "as\n" +
                 writing);
        }
        writing = path_;
        WriteWhole(writing, FormatSavedColors(texts), true);
    } catch (const FileError& e) {
        if (std::exchange(writeFailedOnce_, true)) return; // later failures stay quiet
        Tell("The saved colours could not be written to\n" + writing + "\n" + e.what() +
             ".\n\nThe list keeps them until Vantrel ends; the file keeps what it had.");
    }
}

} // namespace vtl
