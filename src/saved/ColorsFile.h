// colors.ini on disk. Nothing the user saved is lost through it: a file that cannot be read is
// never written in that run (nor one far larger than any list, nor one that memory ran out on),
// every write replaces the file whole or not at all, a read-only file stays as it is, a file
// with lines the list cannot hold is kept as a backup (colors.ini.bak, or the next free
// colors.ini.N.bak) before the first write drops them, what other programs wrote to it while
// the program runs is kept, and a file they hold for a moment, or have open for writing, is
// waited for. Each kind of trouble is told once per run.
#pragma once

#include "saved/ColorsText.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vtl {

class TColorsFile {
  public:
    explicit TColorsFile(std::wstring path);

    // More than this is no list of saved colours: such a file is not read.
    static constexpr unsigned long long kMaxBytes = 8ull << 20;
    static constexpr const wchar_t* kNoMemory = L"There is not enough memory to load it";

    const std::wstring& Path() const { return path_; }

    // The entries of the file; none when it does not exist. A file that exists but cannot
    // be read gives none too, and Notice says why. Temporary files that a run killed while
    // writing left behind go first.
    std::vector<SavedColor> Load();
    // The list could not take what Load gave (memory ran out): the file is left as it is.
    void LeaveAlone(const std::wstring& problem);
    // Gets the entries of the file as another program left it, with the user's changes made
    // again to them, before they are written.
    using MergedEvent = std::function<void(const std::vector<SavedColor>&)>;
    // Replaces the file's content with the list's texts after the user's change to the list
    // (none: a delete with nothing selected). When another program changed the file since it
    // was last read or written, the changes not yet written are made to its present entries
    // instead, and those are written and then shown; again when it changes once more before
    // the replace. A failed write leaves the file as it was and every change to be made again
    // by the next Store; a failure to show a merge goes on to the caller, and the next Store
    // merges again.
    void Store(const std::vector<std::string>& texts,
               const std::optional<SavedColorsChange>& change, const MergedEvent& onMerged);

    // What the user should be told after the last Load or Store, once; empty for nothing.
    std::wstring TakeNotice() { return std::exchange(notice_, {}); }

  private:
    void Tell(const std::wstring& text);
    // The bytes of the file's present entries with the unwritten changes made to them.
    std::string Merge(const std::string& now, std::vector<SavedColor>& entries,
                      bool& dropsText) const;
    void RemoveLeftovers() const;
    std::wstring FreeBackupPath() const;

    std::wstring path_;
    bool unreadable_ = false; // this run leaves the file alone
    // The file as last agreed: the bytes last read at start or written; none: there was no
    // file. Changes only once a write landed.
    std::optional<std::string> base_;
    bool listAgrees_ = true;                   // the list shows base_ with the unwritten changes
    bool backupDue_ = false;                   // base_ holds what the list cannot: back it up first
    std::vector<SavedColorsChange> unwritten_; // changes the file has not taken yet
    bool writeFailedOnce_ = false;
    std::wstring notice_;
};

} // namespace vtl
