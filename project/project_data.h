// The project being edited: every setting of the wizard, the project's
// components, the catalogue of standard components of this installation, the
// product-script sections and the background settings. The object is also
// the script generator: WriteProductScript and WriteComponentScripts write the
// project's scripts.
//
// Fields named like the keys of the project script ("CompanyName",
// "IsFloppySetup", ...) are plain members that the pages read and write;
// ApplicationName and MediaSize have setters with rules of their own.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "script/creator_manager.h"
#include "scriptfile/setup_data.h"

namespace vantrel {

class WSPMBoxId;
class WSPMProduct;
class WSPMUi;
class WSPMSysReq;
class WSetupBackground;

// One proofreading language: its code, the dictionary token of the string
// file, the component script that installs it and the name shown.
struct WritingToolLanguage {
    const char* code;
    const char* token;
    const char* script;
    const char* displayName;
};
// A value as a key line can hold it: a line break (or a NUL) would end the
// line and start another, possibly a section line, so they become blanks.
std::string OneLineValue(std::string value);

// The 22 languages in table order.
extern const std::array<WritingToolLanguage, 22> WritingToolLanguageTable;
// The first row whose code equals `code` exactly; null when there is none.
const WritingToolLanguage* FindWritingToolLanguage(std::string_view code);

class WProjectData;

// One SQL Links driver: the component script that installs it and the
// project flag that selects it.
// One SQL Links driver: its box on the database-engine page, its project
// flag and the component script in "Comps" that installs it.
struct SqlLinksDriver {
    const char* label;   // "&Oracle"
    const char* key;     // "IsOracleSelected"
    const char* script;  // "SQL_ora.kvz"
    int WProjectData::*flag;
};
// The seven drivers in the order their scripts are loaded (and written).
extern const std::array<SqlLinksDriver, 7> SqlLinksDriverTable;

// The standard components found in "Comps" below the installation folder,
// by category. The components themselves live in the project's component
// manager.
struct WComponentCatalogue {
    enum Category {
        kDistrib,       // "Distrib.kvz": the setup engine
        kWritingTools,  // "LX9_*.kvz": proofreading languages
        kFramework,     // "TY9_Framework.kvz"
        kRuntime,       // "TY9Run_Program.kvz"
        kUninstall,     // "Uninstall.kvz"
        kDatabase,      // "OnDmndBDE.kvz": the database engine
        kSqlLinks,      // "SQL_*.kvz": database drivers
        kCategoryCount
    };
    std::array<std::vector<WSetupComponent*>, kCategoryCount> components;
    // Script file name -> name of the component it provides.
    std::map<std::string, std::string, LessNoCase> componentOfScript;
    // Script file name -> full path it was read from.
    std::map<std::string, std::string, LessNoCase> scriptPaths;
    // One text per failed loading step, each naming the script.
    std::vector<std::string> failures;
    bool loaded = false;  // every step succeeded

    void Clear();
};

// The two scripts that carry the product sections: the product script of
// the setup, and the project script of the project file.
enum class ProductScriptKind { kSetup, kProjectFile };

class WProjectData : public WCreatorManager {
  public:
    static constexpr const char* kInstallKey = "SOFTWARE\\OXBEL\\ZLT\\9.0";
    static constexpr const char* kInstallValue = "Install Location";
    static constexpr double kDefaultMediaSize = 1440000.0;  // the "1.44 MB" entry

    // A new object has no owned objects; Reset() brings it to its defaults.
    WProjectData();
    ~WProjectData() override;

    // Brings every field to its default and rebuilds the owned objects: the
    // component manager with "Product" and "Program_files", the product
    // sections, the background, the folder-macro table, and the catalogue
    // of standard components from "Comps" below InstallLocation.
    void Reset();
    // Empties the collections and deletes the owned objects; Reset() must
    // follow before the object is used again.
    void Clear();

    // When set, Reset() takes this folder as InstallLocation instead of the
    // registry value (for one run of the command-line tool, or a test).
    void SetInstallLocationOverride(std::optional<std::string> folder) {
        installLocationOverride_ = std::move(folder);
    }

    const std::string& GetApplicationName() const { return applicationName_; }
    // Also the display name of the "Product" component.
    void SetApplicationName(std::string_view name);

    double GetMediaSize() const { return mediaSize_; }
    // With `check`, refuses (false, no change) a size below MinMediaSize or
    // above MaxMediaSize; both bounds are allowed.
    bool SetMediaSize(double bytes, bool check);

    // The relative folder that the folder-macro table gives a long macro
    // ("<Fonts Folder>" -> "Fonts\"); empty for a macro not in the table.
    std::string FolderForMacro(std::string_view longMacro) const;
    const std::map<std::string, std::string>& FolderMacroTable() const { return macroTable_; }
    // The long macros paired with the folder each stands for on this machine.
    const std::vector<std::pair<std::string, std::string>>& FolderMacroPairs() const {
        return macroPairs_;
    }

    // The project's components ("Product", "Program_files" and the standard
    // components of the catalogue); null after Clear().
    WCreatorManager* Components() { return components_.get(); }
    const WCreatorManager* Components() const { return components_.get(); }
    WSetupComponent* ProductComponent() const;
    WSetupComponent* ProgramFilesComponent() const;
    const WComponentCatalogue& Catalogue() const { return catalogue_; }
    // Loads the catalogue again (Reset does it) and applies the selection;
    // true when every step worked.
    bool LoadCatalogue();
    // Makes the catalogue's selection follow the flags: "Program_files"
    // depends on "Distrib" always, and on the uninstaller, framework, runtime
    // and database engine when their flags are set, on each SQL Links driver
    // whose flag is set, and on the component of each of WritingToolLanguages
    // while both proofreading tools and the runtime are set. Then exactly
    // "Product", "Program_files" and what they depend on (with their
    // sub-components) are selected; generation and the media take only
    // those. Called after Reset, after a project is read and after every
    // change of these flags.
    void ApplyComponentSelection();
    // The catalogue component that `script` provides; null when the script
    // was not loaded.
    WSetupComponent* CatalogueComponent(std::string_view script) const;

    WSPMBoxId* BoxId() const { return boxId_.get(); }
    WSPMProduct* Product() const { return product_.get(); }
    WSPMUi* Ui() const { return ui_.get(); }
    WSPMSysReq* SysReq() const { return sysReq_.get(); }
    WSetupBackground* Background() const { return background_.get(); }

    // Hands the background fields of the project to the background object.
    // Saving the project file turns the drop shadow off; until then (and in
    // a project opened from a file, what the file holds) the background
    // keeps its own setting.
    void PrepareBackground(ProductScriptKind kind = ProductScriptKind::kProjectFile);
    // The background the setup will show: the project's values as the setup
    // script carries them, read back the way the setup engine reads that
    // script, so that an empty value shows as the default it stands for.
    WSetupBackground SetupBackground() const;
    // The "Pages" value of the "UI" section for the current flags.
    std::string PagesText() const;
    // Writes the sections that follow "BOXID": "Product", "UI",
    // "BACKGROUND", the page sections and "SystemRequirements", after
    // handing the project's values to the objects that write them. The
    // setup's script gets the fixed product key "...\9.0", install type 0,
    // the whole dictionary page (only with proofreading tools) and the
    // operating-system continue flag; the project file gets the product key
    // with "Version" and only the default and the codes of the dictionary
    // page.
    void WriteProductSections(WSetupData& script, ProductScriptKind kind);

    // --- Installation, file and mode.
    std::string InstallLocation;
    std::string ProjectFile;
    // The project file as it was when this project last read or wrote it
    // (`path` empty when it has not), so that a save does not replace what
    // someone else wrote there in the meantime.
    struct FileSeen {
        std::string path;
        FileInfo info;
    } ProjectFileSeen;
    int HasProjectFile = 0;
    int NewProjectMode = 1;
    int OpenProjectMode = 0;
    int ContinueProjectMode = 0;
    int ProjectStarted = 0;
    int ProductNameSet = 0;
    int ShortcutFolderSet = 0;
    int AreFilesMissing = 0;

    // --- Application information.
    std::string CompanyName;
    std::string Version;
    std::string DefaultDirectory;
    int UseDefaultDest = 1;
    std::string DefaultDestBase;
    std::string DefaultDestPrefix;
    std::string Destination;

    // --- Components and proofreading tools.
    int FrameworkComponent = 0;
    int RuntimeComponent = 1;
    int UninstallComponent = 1;
    int BDEComponent = 1;
    int AreWritingToolsSelected = 1;
    std::string DefaultWritingToolLang;
    std::vector<std::string> WritingToolLanguages;  // codes, in selection order
    std::string DefaultLanguage;

    // --- License and release notes.
    int DisplayLicense = 0;
    std::string LicenseText;
    int DisplayRelease = 0;
    std::string ReleaseText;

    // --- Shortcut folder and source folder.
    std::string ShortcutFolder;
    std::string DefaultFolder;
    // Folders of the target tree that hold no file ("<Target Folder>\docs"),
    // kept while the program runs; the project file has no place for them.
    std::vector<std::string> EmptyTargetFolders;

    // --- Database engine configuration.
    std::string IDAPICNFDirectory;
    std::string DefaultConfigFile;
    int IsDefaultCFGSelected = 1;
    int IsInterBaseSelected = 0;
    int IsDB2Selected = 0;
    int IsInformixSelected = 0;
    int IsMSSQLSelected = 0;
    int IsOracleSelected = 0;
    int IsSybaseCTLibSelected = 0;
    int IsSybaseDBLibSelected = 0;

    // --- Setup background.
    std::string BackTitle;
    std::string BackTitleFont;
    std::string BackTitleFontHeight;
    std::string BackFontStyle;
    int BackTitleBold = 0;
    int BackTitleItalic = 0;
    std::string BackTitleAlign;
    std::string TitleTextRed;
    std::string TitleTextGreen;
    std::string TitleTextBlue;
    std::string GradientColor;
    std::array<std::string, 7> BackWorkValues;  // working values of the background page
    // The setup's character set ("UI" / "CharSet"), kept as the project file
    // holds it and written back; empty writes "0".
    std::string Charset;
    std::string FontName;

    // --- Media.
    std::string MediaDistributionDirectory;
    int IsFloppySetup = 0;
    std::string DiskSize;
    std::string FloppyCustomSize;
    std::string FloppySetSizeType;
    double MinMediaSize = 700000.0;
    double MaxMediaSize = 660000000.0;

    // --- Set by the pages.
    // The user's own database-engine configuration file is chosen, to be
    // shipped (a build ships it whenever the default one is not selected).
    int ShipUserConfig = 0;
    // Script names of the checked proofreading rows (setup options page).
    std::vector<std::string> WritingToolScripts;

  protected:
    WComponentManager& ComponentSource() override;
    std::vector<std::string> DictionaryLines() const override;
    void FillProductScript(WSetupProductData& script) override;

  private:
    void ResetInstallLocation();
    void ResetApplicationInfo();
    void ResetComponents();
    void ResetBackground();
    void ResetOptions();
    void ResetMedia();
    void ResetFolderMacros();
    bool LoadCatalogueScripts();
    void WriteProductSection(WSetupData& script, ProductScriptKind kind);
    void WriteDictionaryPage(WSetupData& script, ProductScriptKind kind) const;
    static void WriteAboutAndLicensePages(WSetupData& script);
    void WriteDestinationAndReadyPages(WSetupData& script) const;

    std::optional<std::string> installLocationOverride_;
    std::string applicationName_;
    double mediaSize_ = kDefaultMediaSize;

    std::unique_ptr<WCreatorManager> components_;
    WComponentCatalogue catalogue_;
    std::unique_ptr<WSPMBoxId> boxId_;
    std::unique_ptr<WSPMProduct> product_;
    std::unique_ptr<WSPMUi> ui_;
    std::unique_ptr<WSPMSysReq> sysReq_;
    std::unique_ptr<WSetupBackground> background_;
    std::map<std::string, std::string> macroTable_;
    std::vector<std::pair<std::string, std::string>> macroPairs_;
};

}  // namespace vantrel
