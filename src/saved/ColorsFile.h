// colors.ini on disk. Nothing the user saved is lost through it: a file that cannot be read is
// never written in that run, every write replaces the file whole or not at all, a read-only
// file stays as it is, and a file with lines the list cannot hold is kept as colors.ini.bak
// before the first write drops them. Each kind of trouble is told once per run.
#pragma once

#include "saved/ColorsText.h"

#include <string>
#include <utility>
#include <vector>

namespace vtl {

class TColorsFile {
  public:
    explicit TColorsFile(std::string path);

    const std::string& Path() const { return path_; }
    std::string BackupPath() const { return path_ + ".bak"; }

    // The entries of the file; none when it does not exist. A file that exists but cannot
    // be read gives none too, and Notice says why.
    std::vector<SavedColor> Load();
    // Replaces the file's content with these texts. A failure leaves the file as it was.
    void Store(const std::vector<std::string>& texts);

    // What the user should be told after the last Load or Store, once; empty for nothing.
    std::string TakeNotice() { return std::exchange(notice_, {}); }

  private:
    void Tell(const std::string& text);
    void WriteWhole(const std::string& path, const std::string& bytes) const;

    std::string path_;
    bool unreadable_ = false; // this run leaves the file alone
    std::string backupBytes_; // the file as read, while it still needs its backup
    bool writeFailedOnce_ = false;
    std::string notice_;
};

} // namespace vtl
