// The listing of a floppy set: its disk folders and the archives on each
// disk. The archives are not opened; the engine only checks that the set is
// complete: disks numbered from 1 without a gap, each with its own disk
// archive (disk002 holds disk002.cfi), and the start program "setup.exe" on
// the first disk.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

class WSetFolder;

class WFloppyReport {
  public:
    // Looks at every disk of `set` (a set of kind kFloppy). False when the
    // set is incomplete; Errors() then says what is missing. The listing is
    // made in either case.
    bool Read(const WSetFolder& set);
    const std::vector<std::string>& Errors() const { return errors_; }
    // The listing (Windows-1252 text, "\n" line ends).
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    std::vector<std::string> errors_;
};

}  // namespace vantrel
