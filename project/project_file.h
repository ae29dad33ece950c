// The project file (".zlt"): a ZIP archive, deflated at level 6, whose
// members are the project's own scripts and texts, in this order:
//
//   project.kvz   the project script: a stamped product script whose "BOXID"
//                 section holds the project's settings, followed by the
//                 "Product", "UI", "BACKGROUND", page and "SystemRequirements"
//                 sections
//   comp.kvz      the component script of the project's components
//   string.str    its string file
//   license.txt   the license text (CR LF line ends), only when the license
//                 is shown and the text is not empty
//   release.txt   the release notes, likewise
//
// Members are written to, and unpacked into, a fresh folder inside the
// process's private temporary folder, which is removed afterwards. A project
// file is replaced only when the new archive is complete.
//
// The recent-project list is in project/recent_projects.h.
#pragma once

#include <string>

#include "project/recent_projects.h"

namespace vantrel {

class WProjectData;
class WSetupProductData;

inline constexpr const char* kProjectExtension = ".zlt";
inline constexpr const char* kProjectMemberList =
    "project.kvz,comp.kvz,string.str,license.txt,release.txt,";
inline constexpr int kProjectCompressionLevel = 6;

// Where the save command gets a file name when the project has none yet.
// The wizard shows its save dialog (filter "Tessary Vantrel (*.zlt)|*.zlt|",
// default extension "zlt", overwrite prompt); the command-line tool answers
// with the path it was given.
class ProjectSaveDialog {
  public:
    virtual ~ProjectSaveDialog() = default;
    // `proposed` is a full path or a bare file name. False when the user
    // cancels; otherwise `chosen` is the path to save to.
    virtual bool AskSavePath(const std::string& proposed, std::string& chosen) = 0;
};

// The path of the archive that WriteProjectFile makes for `path`: the same
// folder, and the file name with everything from its last "." replaced by
// ".zlt" (".zlt" appended to a name without a dot).
std::string ProjectArchivePath(const std::string& path);

// Puts the project script's sections into `script` (which should be empty),
// section by section, after handing the project's values to the product,
// UI, background and system-requirement objects it owns.
void BuildProjectScript(WProjectData& project, WSetupProductData& script);

// Takes the project's settings back from a loaded project script. False,
// with `error`, when the script has no "BOXID" section (it is not a project
// script); the project is then partly filled.
bool ReadProjectScript(WProjectData& project, const WSetupProductData& script,
                       std::string* error = nullptr);

// Writes the project file for `path` (see ProjectArchivePath). The file is
// not replaced (false, with `error`) when this project read or wrote it
// before and it changed since. A trailing
// separator of "DefaultFolder" is removed from the project first. False,
// with `error`, when a member or the archive cannot be written; an existing
// file at the archive path is then left as it was. `archivePath` receives
// the path written.
bool WriteProjectFile(WProjectData& project, const std::string& path, std::string* error = nullptr,
                      std::string* archivePath = nullptr);

// Fills the project from the project file at `path`; the project should be
// at its defaults (Clear and Reset). False, with `error` naming the file and
// what was wrong with it (not a file, not an archive, a damaged member, a
// member missing, not a project script, ...); the project is then brought
// back to its defaults. Nothing is written outside the private temporary
// folder.
bool LoadProjectFile(WProjectData& project, const std::string& path, std::string* error = nullptr);

// Opening a project as the welcome page does: Clear, Reset, LoadProjectFile,
// and on success the project is marked as opened from `path` (ProjectFile,
// HasProjectFile, OpenProjectMode, ProductNameSet, ShortcutFolderSet set;
// NewProjectMode cleared), so that Save writes back to it without asking.
bool OpenProjectFile(WProjectData& project, const std::string& path, std::string* error = nullptr);

// The save command. With `modified` false nothing is written and the result
// is true. A project that has a file (opened from it, or saved to it before)
// is written back to ProjectFile, that very file whatever its extension, and
// only when nobody changed it since it was opened or last saved (else false
// with `error`); a project that never had a file asks `dialog` for a file
// name first (a cancelled dialog gives false). After a successful write `modified` is cleared,
// ProjectFile is the archive's path and the path heads the recent-project list (unless
// `addToRecent` is false: a script's saves leave the user's list alone). A failed write
// gives false with `error` and leaves `modified` set.
bool Save(WProjectData& project, bool& modified, ProjectSaveDialog& dialog,
          std::string* error = nullptr, bool addToRecent = true);

}  // namespace vantrel
