// What the wizard does with project files: the save command, opening a
// project and the recent-project list. The sheet and the welcome page go
// through this interface; the program uses the engine's project file, tests
// can count and script the calls.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

class ProjectFiles {
  public:
    virtual ~ProjectFiles() = default;

    // The save command: writes the project when it has unsaved changes,
    // asking for a file name when it has none. False when the user cancelled
    // the save dialog or writing failed; true otherwise, also when nothing
    // needed saving.
    virtual bool Save() = 0;
    // Fills the project (already cleared and reset) from the project file.
    virtual bool Load(const std::string& path) = 0;
    // The recent-project list, most recent first, only files that exist.
    virtual std::vector<std::string> Recent() = 0;
};

}  // namespace vantrel
