// Registry entries from a registry export file (".reg"): each value of the
// file becomes one entry as the registry keys page would make it, and a key
// that lists no values becomes an entry for the key itself. Strings keep the
// type "String", dword values become "Number" with the number in decimal,
// and hex values become "Binary Data" with their bytes as two hexadecimal
// digits each, separated by blanks ("01 02 ff"). Every entry passes the
// checks of the key dialog; a line that cannot be read or whose entry is
// refused is left out whole and named with the reason.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_reg_entry.h"

namespace vantrel {

class WProjectData;

class WRegImport {
  public:
    struct Refused {
        int line = 0;
        std::string reason;
    };
    struct Entry {
        int line = 0;
        std::unique_ptr<WSetupRegEntry> entry;
    };

    // Reads the bytes of a file (see RegText::DecodeFile for the encodings).
    // False when the text is not a registry export at all (no header line);
    // `error` then says so and nothing was read.
    bool Read(std::string_view bytes, std::string& error);
    // Reads the file at `path` (engine path); false with `error` when it
    // cannot be opened or is not a registry export.
    bool ReadFile(const std::string& path, std::string& error);

    // Gives every entry read to the project's "Program_files" (see
    // AddRegistryEntry); an entry the setup already writes is refused.
    // The entries added, in order.
    std::vector<WSetupRegEntry*> AddTo(WProjectData& project);

    const std::vector<Entry>& Entries() const { return entries_; }
    // The lines left out, in line order.
    const std::vector<Refused>& RefusedLines() const { return refused_; }
    // "These lines could not be imported:" and one line per refused line
    // ("line 3: <reason>"); "" when none was refused.
    std::string RefusedMessage() const;

  private:
    void Refuse(int line, std::string reason);

    std::vector<Entry> entries_;
    std::vector<Refused> refused_;
};

}  // namespace vantrel
