// Reading component scripts into a component manager.
//
// A component script is INI-like text:
//
//   [Identification.0]        component lines of level 0 (see WSetupComponent)
//   Product,111,<D>,...
//   [Identification.1]        level 1 ("[Identification]" without a level:
//   Program_files,111,...      each line's field 14 gives it)
//   [File1]                   element records of one type, keyword + level
//   Program_files,<S>,...
//   [Strings]                 the string file that goes with the script
//   string.str
//
// Lines beginning with ";" and empty lines are skipped; a stamped header
// block is skipped like any section this reader does not know.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "script/component_manager.h"

namespace vantrel {

// Progress of a long read: bytes done out of a total.
using ScriptProgress = std::function<void(uint64_t done, uint64_t total)>;

using StringEntryHandler = std::function<void(std::string name, std::string value)>;

// Reads the "[Strings]" section of a string file: each "name = value" line
// (both trimmed, comments and blank lines skipped) goes to `entry`; a line
// without "=" names a further string file and goes to `further` when given
// (its false makes the result false). False when the file cannot be read,
// with the reason in `error`.
bool ReadStringLines(std::string_view path, const StringEntryHandler& entry,
                     const std::function<bool(const std::string&)>& further = nullptr,
                     std::string* error = nullptr);

class WSetupManager : public WComponentManager {
  public:
    // Nesting of scripts that name scripts beyond which loading gives up.
    static constexpr int kMaxScriptDepth = 64;

    WSetupManager();
    ~WSetupManager() override;

    // --- Where scripts are found: the folders in order; names are matched
    // without regard to case.
    void AddSearchFolder(std::string folder);
    void ClearSearchFolders();
    const std::vector<std::string>& SearchFolders() const { return searchFolders_; }
    // Full path of the script `name` (a file name, or a path below a search
    // folder); failing that, a name with a folder part that names an
    // existing file is taken as it is. Empty when it is not found.
    std::string FindScript(std::string_view name) const;
    // FindScript, looking on disk once per name: a path found is kept
    // (until the search folders change or the components are cleared), so
    // that checking for a script, loading it and asking where it came from
    // examine the file once.
    const std::string& LocateScript(std::string_view name);

    // Loads the component script `name`: registers its components (each
    // keeps a copy of the script's header) and its elements, then follows
    // the scripts that its component lines name (name + ".kvz"): every
    // dependency (field 13) that is not registered yet and, with
    // `loadSubComponents`, every sub-component (field 12). A script whose
    // module type is "KVZ" names nothing that is followed. A script is read
    // once; naming it again (also in a cycle) finds it loaded. At the end
    // the field 12 and 13 texts are turned into links.
    //
    // False when the script or a script it names cannot be read, a
    // component line has no name, or a named component is not found; each
    // such step adds a text to Failures() naming the script.
    bool LoadScript(std::string_view name, bool loadSubComponents = false, bool expand = false);

    // One script of the standard library: loads `scriptName` and takes the
    // component named like the script up to its first "." ("Uninstall.kvz"
    // gives "Uninstall"): it gets install types 111, is selected and
    // becomes a dependency of `dependent` (when given). Every name of its
    // dependency text is then linked: a registered component directly,
    // otherwise after loading name + ".kvz", which must bring it (it then
    // gets install types 111 and is selected too). Failures are also kept in
    // Failures().
    // `component` (when given) receives the component even when a
    // dependency failed. True when every step succeeded.
    bool LoadLibraryScript(std::string_view scriptName, WSetupComponent* dependent,
                           WSetupComponent** component = nullptr);

    // Scripts that could not be opened, by the name they were asked for.
    const std::vector<std::string>& MissingScripts() const { return missing_; }
    // One text per failed loading step, each naming its script.
    const std::vector<std::string>& Failures() const { return failures_; }
    void ClearFailures();

    // --- Reading a project's own component script and its string file.

    // Reads the "[Strings]" section of a string file into ScriptStringMap:
    // "name = value" lines give entries (both trimmed); a line without "="
    // names a further string file, read from StringFolder(). False when the
    // file (or a further one) cannot be read.
    bool ReadStringFile(std::string_view path);
    // Folder in which further string files are found.
    void SetStringFolder(std::string folder) { stringFolder_ = std::move(folder); }
    const std::string& StringFolder() const { return stringFolder_; }

    // Reads the string file, then the component script: components not yet
    // registered are created from their lines; element records are taken
    // only for "Product" and "Program_files", and the shortcut record that
    // names "Tessary 9 Runtime" for whichever component holds it (every
    // component's records with SetReadAllRecords). Then the
    // components are linked. `progress` is told the total (the sizes of
    // both files; 100000 when the script's size is unknown) with 0 done at
    // the start, and then the bytes read whenever they grew by more than
    // 0.5 % of the total. False when either file cannot be read or the
    // linking fails; what was read stays. `eachLine`, when given, is called
    // with every line of the script before it is taken; its false ends the
    // read there, and the result is false.
    bool ReadComponentScript(std::string_view scriptPath, std::string_view stringFilePath,
                             const ScriptProgress& progress = {},
                             const std::function<bool(const std::string&)>& eachLine = {});

    // Whether ReadComponentScript takes the element records of every
    // component, as a checker of a built set needs them; off by default.
    void SetReadAllRecords(bool all) { readAllRecords_ = all; }

    // Deletes every component and forgets which scripts were read.
    void ClearComponents() override;

  protected:
    void AddFailure(std::string text);

  private:
    bool LoadScriptAt(std::string_view name, bool loadSubComponents, bool expand, int depth);
    bool ReadStringFileAt(std::string_view path, std::set<std::string>& seen, int depth);

    std::vector<std::string> searchFolders_;
    std::map<std::string, std::string, std::less<>> located_;  // LocateScript's finds
    std::vector<std::string> missing_;
    std::vector<std::string> failures_;
    std::set<std::string, LessNoCase> loaded_;  // scripts read (or being read), by full path
    std::string stringFolder_;
    std::vector<WSetupComponent*> toLink_;  // registered by the load under way
    bool readAllRecords_ = false;
};

}  // namespace vantrel
