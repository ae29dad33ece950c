// Writing the setup scripts: the component script "comp.kvz" with its string
// file "string.str", and the stamped product script "Setup\project.kvz".
//
// comp.kvz, every line ending in CR LF:
//
//   [Identification.0]
//   <component lines of level 0, install types "000">
//
//   [Identification.1]          (each level 1..6 that has components)
//   <component lines, install types of the effective value>
//
//   [File1]                     (each element type 0..16, then level 0..6,
//   <element records>            that has records)
//
//   [Strings]
//   string.str
//
// string.str: "[Strings]", the "name = value" lines of every string
// reference that the written lines hold, then the dictionary lines that the
// owner adds (see WriteStringFile).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_element.h"
#include "script/set_layout.h"
#include "script/setup_manager.h"

namespace vantrel {

class WSetupProductData;

class WCreatorManager : public WSetupManager {
  public:
    static constexpr const char* kStringsSection = "[Strings]";

    WCreatorManager();
    ~WCreatorManager() override;

    // Builds the product script and writes it, stamped, to
    // folder\Setup\project.kvz (the "Setup" folder is created when missing).
    // False when the file cannot be written.
    virtual bool WriteProductScript(std::string_view folder);
    // The lines of the product script as WriteProductScript writes them,
    // without its header block; nothing is written.
    std::vector<std::string> ProductScriptLines();

    // Writes folder\comp.kvz and folder\string.str from the components of
    // ComponentSource(); the folder is created when missing. With
    // `createSourceFolders`, the first folder of the source name of every
    // file and font of "Program_files" is created under `folder`. While
    // writing, those files carry "<S>" as their source folder; their own folders are
    // put back afterwards in every case.
    // False when either file cannot be written; a file that could not be
    // written completely is removed, and WriteError() says why.
    virtual bool WriteComponentScripts(std::string_view folder, bool createSourceFolders = false);
    // The file and the system's reason of the last failed write; empty after
    // a write that succeeded.
    const std::string& WriteError() const { return writeError_; }

    // Writes the string file: "[Strings]", then every line of `strings`
    // that has a value after its "=", then DictionaryLines(). The lines with
    // a value are removed from `strings` afterwards (what is left is the
    // "[Strings]" line). False when the file cannot be written.
    virtual bool WriteStringFile(std::string_view path, StringSectionLines& strings);

    // The string lines collected while writing.
    StringSectionLines& Strings() { return strings_; }

    // "1"/"0" text of the recomputed install types: every level-0 component
    // gets the value 0; then, level by level from 1 to 6, each sub-component
    // of kind 0 of a component of the level takes over the component's
    // first and second digit when it has not got them. Needs Gather().
    static void RecomputeInstallTypes(WComponentManager& components);

  protected:
    // The manager whose components are written; this one by default.
    virtual WComponentManager& ComponentSource() { return *this; }
    // Lines written at the end of the string file after the collected ones.
    virtual std::vector<std::string> DictionaryLines() const { return {}; }
    // Fills the product script's sections; the base writes none.
    virtual void FillProductScript(WSetupProductData& script);

  private:
    bool WriteComponentScript(std::string_view path, WComponentManager& source);

    StringSectionLines strings_;
    std::string writeError_;
};

}  // namespace vantrel
