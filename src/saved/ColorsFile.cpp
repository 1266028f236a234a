#include "saved/ColorsFile.h"

#include "ui/Error.h"
#include "ui/Handles.h"

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

std::string ReadWhole(const std::string& path) {
    const KernelHandle file =
        OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    std::string bytes;
    char buf[64 * 1024];
    DWORD got = 0;
    do {
        if (!ReadFile(file.Get(), buf, sizeof buf, &got, nullptr)) Fail(GetLastError());
        bytes.append(buf, got);
    } while (got > 0);
    return bytes;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

} // namespace

TColorsFile::TColorsFile(std::string path) : path_(std::move(path)) {}

void TColorsFile::Tell(const std::string& text) {
    notice_ += (notice_.empty() ? "" : "\n\n") + text;
}

std::vector<SavedColor> TColorsFile::Load() {
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
            bytes = ReadWhole(path_);
        } catch (const FileError& e) {
            problem = e.what();
        }
    }
    if (!problem.empty()) {
        // Writing now would replace colours we could not even see.
        unreadable_ = true;
        Tell("The saved colours could not be read from\n" + path_ + "\n" + problem +
             ".\n\nColours saved now stay in the list until Vantrel ends; the file is left "
             "as it is.");
        return {};
    }
    SavedColorsText parsed = ParseSavedColors(bytes);
    if (parsed.dropsText) backupBytes_ = std::move(bytes);
    return std::move(parsed.entries);
}

void TColorsFile::WriteWhole(const std::string& path, const std::string& bytes) const {
    // A temporary file in the same folder, moved over the file at the end: the file is
    // replaced whole or not at all.
    // Wine replaces a read-only file where Windows refuses: ask the attribute ourselves.
    const DWORD attr = GetFileAttributesA(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
        throw FileError("The file is read-only");
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderOf(path).c_str(), "vtl", 0, temp)) Fail(GetLastError());
    try {
        {
            const KernelHandle file = OpenFile(temp, GENERIC_WRITE, 0, CREATE_ALWAYS);
            DWORD written = 0;
            if (!bytes.empty() &&
                (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
                 written != bytes.size()))
                Fail(GetLastError());
            if (!FlushFileBuffers(file.Get())) Fail(GetLastError());
        }
        if (!MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail(GetLastError());
    } catch (...) {
        DeleteFileA(temp);
        throw;
    }
}

void TColorsFile::Store(const std::vector<std::string>& texts) {
    if (unreadable_) return; // told at start
    std::string writing = BackupPath();
    try {
        if (!backupBytes_.empty()) {
            WriteWhole(writing, backupBytes_);
            backupBytes_.clear();
            Tell("Some lines of\n" + path_ +
                 "\nare not colours and are left out of the list. The file as it was is kept "
                 "as\n" +
                 BackupPath());
        }
        writing = path_;
        WriteWhole(writing, FormatSavedColors(texts));
    } catch (const FileError& e) {
        if (std::exchange(writeFailedOnce_, true)) return; // later failures stay quiet
        Tell("The saved colours could not be written to\n" + writing + "\n" + e.what() +
             ".\n\nThe list keeps them until Vantrel ends; the file keeps what it had.");
    }
}

} // namespace vtl
