// vtlclipholder.exe under Wine: another program holding the clipboard, or a file without
// sharing, until released; or, given `how`, one writing the file as tools/clip_holder.cpp says.
#pragma once

#include <string>

#include "support/line_reader.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

class Holder {
  public:
    // Holds the clipboard, or the file at this Windows path.
    explicit Holder(const std::string& windowsPath = "", const std::string& how = "",
                    const std::string& line = "");
    void release();

  private:
    ChildProcess process_;
    LineReader reader_;
};

} // namespace vtl::e2e
