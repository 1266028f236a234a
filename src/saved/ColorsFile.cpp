#include "saved/ColorsFile.h"

#include "ui/Error.h"
#include "ui/Handles.h"
#include "ui/WideText.h"

#include <algorithm>
#include <cwctype>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

namespace vtl {

namespace {

// A failure of one step, with the reason the user reads and the system's code, if any.
class FileError : public Error {
  public:
    using Error::Error;
    explicit FileError(DWORD code) : Error(SystemReason(code)), code_(code) {}
    DWORD Code() const { return code_; }

  private:
    DWORD code_ = 0;
};

[[noreturn]] void Fail(DWORD code) {
    throw FileError(code);
}

// Virus scanners, the search indexer and backup tools open a file for a moment just after it is
// written. Another program that has the file open refuses a read with a sharing or a lock
// violation; Windows refuses to replace it with access denied too, and Wine refuses to replace
// a file anyone has open at all. Access denied to a read is the file's permissions: no waiting
// mends that.
bool HeldByAnother(DWORD code, bool replacing) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
           (replacing && code == ERROR_ACCESS_DENIED);
}

// How long one write waits, in all, for a file another program holds: growing steps, about
// 1.5 s, while the window waits too.
class Patience {
  public:
    bool Wait() {
        if (waited_ >= kTotalMs) return false;
        const DWORD step = std::min(step_, kTotalMs - waited_);
        Sleep(step);
        waited_ += step;
        step_ *= 2;
        return true;
    }

  private:
    static constexpr DWORD kTotalMs = 1500;
    DWORD waited_ = 0, step_ = 10;
};

// The UTF-16 calls throughout: the folder's path may hold letters the code page has not.
KernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE h = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) Fail(GetLastError());
    return KernelHandle(h);
}

// The file's bytes, never more than the limit. Reads are shared, writes not: a file another
// program has open for writing is refused as held, never read halfway through its write (an
// editor saving in place empties it first), and it cannot change while it is read.
std::string ReadWhole(const std::wstring& path, unsigned long long limit) {
    const KernelHandle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) Fail(GetLastError());
    const auto tooLarge = [&](unsigned long long bytes) {
        return FileError(L"It holds " + std::to_wstring(bytes >> 20) +
                         L" MB, far more than any list of saved colours (at most " +
                         std::to_wstring(limit >> 20) + L" MB are read)");
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

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::wstring NameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Something is there: a file, or a folder that a backup must not be moved onto either.
bool NameTaken(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AllHex(std::wstring_view s) {
    for (const wchar_t c : s)
        if (!std::iswxdigit(c)) return false;
    return !s.empty();
}

// Our temporary files: "~v", four hex digits, ".tmp", no longer than "colors.ini", so that a
// write goes through wherever the file's own path fits. Earlier versions named them after the
// file they would become, a dot, eight hex digits and ".tmp". Nothing else in the folder ever
// matches, so nothing else is ever removed as one.
constexpr std::wstring_view kTempStart = L"~v", kTempEnd = L".tmp";
constexpr size_t kTempDigits = 4, kOldTempDigits = 8;

bool IsOurTemp(std::wstring_view name, std::wstring_view target) {
    if (!name.ends_with(kTempEnd)) return false;
    name.remove_suffix(kTempEnd.size());
    if (name.starts_with(kTempStart) && name.size() == kTempStart.size() + kTempDigits)
        return AllHex(name.substr(kTempStart.size()));
    const size_t dot = name.size() - std::min(name.size(), kOldTempDigits + 1);
    return name.size() >= target.size() + kOldTempDigits + 1 && name.starts_with(target) &&
           name[target.size()] == L'.' && name[dot] == L'.' && AllHex(name.substr(dot + 1));
}

// A new, empty temporary file in the folder, open for writing, and its path.
std::pair<KernelHandle, std::wstring> CreateTempIn(const std::wstring& folder) {
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 7);
    for (int attempt = 0;; ++attempt) {
        wchar_t digits[kTempDigits + 1];
        swprintf(digits, kTempDigits + 1, L"%04lX",
                 static_cast<unsigned long>(seed + attempt) & 0xFFFF);
        std::wstring temp =
            folder + L"\\" + std::wstring(kTempStart) + digits + std::wstring(kTempEnd);
        HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return {KernelHandle(h), std::move(temp)};
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS || attempt == 100) Fail(code);
    }
}

// Narrows a line of a UTF-16 file to the code page the rest of the program speaks.
bool NarrowLineExactly(std::u16string_view line, std::string& out) {
    return NarrowExactly({reinterpret_cast<const wchar_t*>(line.data()), line.size()}, out);
}

// A temporary file in the folder holding the bytes, flushed; gone again unless it was moved. The
// file it is moved over is replaced whole or not at all, also when the program is killed or the
// disk is full.
class TempFile {
  public:
    TempFile(const std::wstring& folder, const std::string& bytes) {
        auto [file, path] = CreateTempIn(folder);
        path_ = std::move(path);
        DWORD written = 0;
        if ((!bytes.empty() &&
             (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
              written != bytes.size())) ||
            !FlushFileBuffers(file.Get())) {
            const DWORD code = GetLastError();
            file.Reset();
            Remove();
            Fail(code);
        }
    }
    ~TempFile() { Remove(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // 0 once moved; the system's code while another program holds the target.
    DWORD MoveOver(const std::wstring& target, bool replace) {
        const DWORD how = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        if (MoveFileExW(path_.c_str(), target.c_str(), how)) {
            path_.clear();
            return 0;
        }
        const DWORD code = GetLastError();
        if (!HeldByAnother(code, true)) Fail(code);
        return code;
    }

  private:
    void Remove() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    std::wstring path_;
};

// The file's bytes now, waiting while another program holds it; none when it is gone.
std::optional<std::string> ReadIfThere(const std::wstring& path, Patience& patience) {
    for (;;) {
        try {
            return ReadWhole(path, TColorsFile::kMaxBytes);
        } catch (const FileError& e) {
            const DWORD code = e.Code();
            if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return {};
            const DWORD attr = GetFileAttributesW(path.c_str());
            if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY))
                throw FileError("It is a folder, not a file");
            if (!HeldByAnother(code, false) || !patience.Wait()) throw;
        } catch (const std::bad_alloc&) {
            throw FileError(TColorsFile::kNoMemory);
        }
    }
}

// A backup of the file as it was, under a name nothing has.
void WriteBackup(const std::wstring& backup, const std::string& bytes, Patience& patience) {
    TempFile temp(FolderOf(backup), bytes);
    while (const DWORD held = temp.MoveOver(backup, false))
        if (!patience.Wait()) Fail(held);
}

} // namespace

TColorsFile::TColorsFile(std::wstring path) : path_(std::move(path)) {}

void TColorsFile::Tell(const std::wstring& text) {
    notice_ += (notice_.empty() ? L"" : L"\n\n") + text;
}

std::vector<SavedColor> TColorsFile::Load() {
    RemoveLeftovers();
    std::wstring problem;
    try {
        Patience patience;
        std::optional<std::string> bytes = ReadIfThere(path_, patience);
        if (!bytes) return {};
        // Text with lines the list cannot hold, or without one colour (another kind of text):
        // kept whole as a backup before the first write.
        SavedColorsText parsed = ParseSavedColors(*bytes, NarrowLineExactly);
        backupDue_ = parsed.dropsText;
        base_ = std::move(bytes);
        return std::move(parsed.entries);
    } catch (const FileError& e) {
        problem = e.Text();
    } catch (const std::bad_alloc&) {
        problem = kNoMemory;
    }
    LeaveAlone(problem);
    return {};
}

void TColorsFile::LeaveAlone(const std::wstring& problem) {
    // Writing now would replace colours we could not even see.
    unreadable_ = true;
    base_.reset();
    backupDue_ = false;
    Tell(L"The saved colours could not be read from\n" + path_ + L"\n" + problem +
         L".\n\nColours saved now stay in the list until Vantrel ends; the file is left "
         L"as it is.");
}

void TColorsFile::RemoveLeftovers() const {
    const std::wstring folder = FolderOf(path_), name = NameOf(path_);
    WIN32_FIND_DATAW found;
    const FindHandle find(
        FindFirstFileW((folder + L"\\*" + std::wstring(kTempEnd)).c_str(), &found));
    if (!find) return;
    do {
        // A leftover that cannot go now is tried again at the next start.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsOurTemp(found.cFileName, name))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find.Get(), &found));
}

std::wstring TColorsFile::FreeBackupPath() const {
    // An earlier backup is never replaced: it may hold what this one does not.
    std::wstring backup = path_ + L".bak";
    for (int n = 1; NameTaken(backup); ++n)
        backup = path_ + L"." + std::to_wstring(n) + L".bak";
    return backup;
}

std::string TColorsFile::Merge(const std::string& now, std::vector<SavedColor>& entries,
                               bool& dropsText) const {
    SavedColorsText parsed = ParseSavedColors(now, NarrowLineExactly);
    for (const SavedColorsChange& c : unwritten_)
        ApplySavedColorsChange(parsed.entries, c);
    dropsText = parsed.dropsText;
    entries = std::move(parsed.entries);
    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const SavedColor& e : entries)
        texts.push_back(e.text);
    return FormatSavedColors(texts);
}

void TColorsFile::Store(const std::vector<std::string>& texts,
                        const std::optional<SavedColorsChange>& change,
                        const MergedEvent& onMerged) {
    if (unreadable_) return; // told at start
    if (change) unwritten_.push_back(*change);
    Patience patience; // one wait for the whole write
    bool backedUp = false;
    std::wstring writing = path_;
    try {
        std::optional<std::string> now = ReadIfThere(path_, patience);
        for (;;) {
            // Only the bytes tell that nothing changed: time and size may stay the same.
            const bool merge = now && (now != base_ || !listAgrees_);
            bool dropsText = backupDue_;
            std::vector<SavedColor> merged;
            const std::string bytes =
                merge ? Merge(*now, merged, dropsText) : FormatSavedColors(texts);
            const std::optional<std::string>& replaced = merge ? now : base_;
            if (dropsText && replaced && !std::exchange(backedUp, true)) {
                writing = FreeBackupPath();
                WriteBackup(writing, *replaced, patience);
                Tell(L"Some lines of\n" + path_ +
                     L"\nare not colours and are left out of the list, or hold letters that "
                     L"Vantrel cannot write back. The file as it was is kept as\n" +
                     writing);
                writing = path_;
            }
            // Wine replaces a read-only file where Windows refuses: ask the attribute ourselves,
            // before the last read (the time from that read to the replace lets others in).
            const DWORD attr = GetFileAttributesW(path_.c_str());
            if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
                throw FileError("The file is read-only");
            TempFile temp(FolderOf(path_), bytes);
            // Read again just before the replace: the file is replaced only from a merge made
            // on its present bytes.
            std::optional<std::string> again;
            while ((again = ReadIfThere(path_, patience)) == now) {
                const DWORD held = temp.MoveOver(path_, true);
                if (!held) {
                    base_ = bytes;
                    backupDue_ = false;
                    unwritten_.clear();
                    // Shown once written: a merge is often made again before it lands, and a
                    // long list takes a while. Until shown the next write merges again.
                    listAgrees_ = !merge;
                    if (merge) onMerged(merged);
                    listAgrees_ = true;
                    return;
                }
                if (!patience.Wait()) Fail(held);
            }
            now = std::move(again);
            // Overtaken: treated as held, merged again after a wait while patience lasts.
            if (!patience.Wait()) throw FileError("Another program kept changing it");
        }
    } catch (const FileError& e) {
        if (std::exchange(writeFailedOnce_, true)) return; // later failures stay quiet
        Tell(L"The saved colours could not be written to\n" + writing + L"\n" + e.Text() +
             L".\n\nThe list keeps them until Vantrel ends; the file keeps what it had.");
    }
}

} // namespace vtl
