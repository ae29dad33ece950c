// What a set would install, read from its scripts and laid out for a person.
//
// Reading checks the set the way the setup engine must before it installs
// anything: the product script "Setup\project.kvz" has to carry a header
// block whose checksum matches its body (a script changed by hand is
// refused), it has to be a product script with a "Product" section, and the
// component script "Setup\comp.kvz" with its string file "Setup\string.str"
// has to read as the component script of a setup (it holds the "Product" and
// "Program_files" components). The scripts are read with the same readers
// the wizard uses; nothing here parses a script line itself.
#pragma once

#include <string>
#include <vector>

#include "script/setup_manager.h"
#include "script/spm_product.h"
#include "scriptfile/script_header.h"

namespace vantrel {

class WSetFolder;

class WInstallReport {
  public:
    WInstallReport();
    ~WInstallReport();
    WInstallReport(const WInstallReport&) = delete;
    WInstallReport& operator=(const WInstallReport&) = delete;

    // Reads and checks the scripts of `set` (a set of kind kScripts). False
    // when a script is missing, cannot be read, fails verification or is not
    // the script it should be; Errors() then says why, one text per fault.
    bool Read(const WSetFolder& set);
    const std::vector<std::string>& Errors() const { return errors_; }

    // The listing (Windows-1252 text, "\n" line ends): the set, the product, the
    // components, then the files, registry entries, shortcuts, INI and text
    // changes and other actions. With `noCopy` (a test run) the set is not
    // expected to hold the application's files; otherwise a file the set
    // lacks is marked.
    std::string Text(bool noCopy) const;

    // What Read() found, for an install.
    const WSPMProduct& Product() const { return product_; }
    const WSetupManager& Components() const { return components_; }

  private:
    bool VerifyProductScript(const std::string& path);
    bool ReadProductScript(const std::string& path);
    bool ReadComponentScript(const std::string& script, const std::string& strings,
                             const std::string& stringFolder);

    std::string root_;
    std::string productScript_;
    WScriptHeader header_;
    WSPMProduct product_;
    std::string pages_;
    WSetupManager components_;
    std::vector<std::string> errors_;
};

}  // namespace vantrel
