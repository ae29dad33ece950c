#include "project/project_data.h"

#include <algorithm>

#include "elements/setup_background.h"
#include "elements/setup_element.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/strings.h"
#include "platform/system_folders.h"
#include "project/project_rules.h"
#include "script/disk_utils.h"
#include "script/spm_box_id.h"
#include "script/spm_product.h"
#include "script/spm_sys_req.h"
#include "script/spm_ui.h"
#include "scriptfile/setup_product_data.h"

namespace vantrel {

const std::array<WritingToolLanguage, 22> WritingToolLanguageTable = {{
    {"AF", "%DictionaryAF%", "LX9_Afrikaans.kvz", "Afrikaans(AF)"},
    {"CA", "%DictionaryCA%", "LX9_Catalan.kvz", "Catalan(CA)"},
    {"CZ", "%DictionaryCZ%", "LX9_Czech.kvz", "Czech(CZ)"},
    {"DK", "%DictionaryDK%", "LX9_Danish.kvz", "Danish(DK)"},
    {"NL", "%DictionaryNL%", "LX9_Dutch.kvz", "Dutch(NL)"},
    {"CE", "%DictionaryCE%", "LX9_English.kvz", "English - Canadian(CE)"},
    {"UK", "%DictionaryUK%", "LX9_English.kvz", "English - UK"},
    {"US", "%DictionaryUS%", "LX9_English.kvz", "English - US"},
    {"OZ", "%DictionaryOZ%", "LX9_English.kvz", "English - Australian(OZ)"},
    {"SU", "%DictionarySU%", "LX9_Finnish.kvz", "Finnish(SU)"},
    {"CF", "%DictionaryCF%", "LX9_French.kvz", "French - Canadian(CF)"},
    {"FR", "%DictionaryFR%", "LX9_French.kvz", "French - National(FR)"},
    {"GA", "%DictionaryGA%", "LX9_Galician.kvz", "Galician(GA)"},
    {"DE", "%DictionaryDE%", "LX9_German.kvz", "German - National(DE)"},
    {"SD", "%DictionarySD%", "LX9_German.kvz", "German - Switzerland(SD)"},
    {"GR", "%DictionaryGR%", "LX9_Greek.kvz", "Greek(GR)"},
    {"MA", "%DictionaryMA%", "LX9_Hungarian.kvz", "Hungarian(MA)"},
    {"IS", "%DictionaryIS%", "LX9_Icelandic.kvz", "Icelandic(IS)"},
    {"IT", "%DictionaryIT%", "LX9_Italian.kvz", "Italian(IT)"},
    {"NO", "%DictionaryNO%", "LX9_Norwegian.kvz", "Norwegian(NO)"},
    {"PL", "%DictionaryPL%", "LX9_Polish.kvz", "Polish(PL)"},
    {"BR", "%DictionaryBR%", "LX9_Portuguese.kvz", "Portuguese(BR)"},
}};

const WritingToolLanguage* FindWritingToolLanguage(std::string_view code) {
    for (const auto& row : WritingToolLanguageTable) {
        if (code == row.code)
            return &row;
    }
    return nullptr;
}

std::string OneLineValue(std::string value) {
    for (auto& c : value) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return value;
}

const std::array<SqlLinksDriver, 7> SqlLinksDriverTable = {{
    {"Sybase &DB Lib", "IsSybaseDBLibSelected", "SQL_syb.kvz",
     &WProjectData::IsSybaseDBLibSelected},
    {"Sybase &CT Lib", "IsSybaseCTLibSelected", "SQL_ssc.kvz",
     &WProjectData::IsSybaseCTLibSelected},
    {"&Oracle", "IsOracleSelected", "SQL_ora.kvz", &WProjectData::IsOracleSelected},
    {"MS S&QL", "IsMSSQLSelected", "SQL_mss.kvz", &WProjectData::IsMSSQLSelected},
    {"&Informix", "IsInformixSelected", "SQL_inf.kvz", &WProjectData::IsInformixSelected},
    {"InterBa&se", "IsInterBaseSelected", "SQL_int.kvz", &WProjectData::IsInterBaseSelected},
    {"DB&2", "IsDB2Selected", "SQL_db.kvz", &WProjectData::IsDB2Selected},
}};

void WComponentCatalogue::Clear() {
    for (auto& list : components)
        list.clear();
    componentOfScript.clear();
    scriptPaths.clear();
    failures.clear();
    loaded = false;
}

namespace {

constexpr const char* kProductName = "Product";
constexpr const char* kProgramFilesName = "Program_files";
constexpr int kDefaultInstallTypes = 111;

// The token of a language without its two "%" signs.
std::string Unpercent(std::string_view token) {
    std::string r(token);
    if (r.size() >= 2 && r.front() == '%' && r.back() == '%')
        r = r.substr(1, r.size() - 2);
    return r;
}

}  // namespace

WProjectData::WProjectData() = default;

WProjectData::~WProjectData() {
    Clear();
}

WSetupComponent* WProjectData::ProductComponent() const {
    return components_ ? components_->Find(kProductName) : nullptr;
}

WSetupComponent* WProjectData::ProgramFilesComponent() const {
    return components_ ? components_->Find(kProgramFilesName) : nullptr;
}

void WProjectData::Reset() {
    ResetInstallLocation();
    ResetApplicationInfo();
    ResetComponents();
    ResetBackground();
    ResetOptions();
    ResetMedia();
    ResetFolderMacros();
    // The string table is the project's: a name that another project's
    // string file defined must not reach this project's string.str.
    ScriptStringMap().Clear();
    LoadCatalogue();
}

void WProjectData::ResetInstallLocation() {
    if (installLocationOverride_) {
        InstallLocation = Trim(*installLocationOverride_);
    } else {
        std::string value;
        InstallLocation.clear();
        if (TheRegistry().GetString(Hive::LocalMachine, kInstallKey, kInstallValue, value)) {
            InstallLocation = Trim(value);
        }
    }
}

void WProjectData::ResetApplicationInfo() {
    NewProjectMode = 1;
    OpenProjectMode = 0;
    ContinueProjectMode = 0;
    ProjectStarted = 0;
    HasProjectFile = 0;
    ProductNameSet = 0;
    ShortcutFolderSet = 0;
    AreFilesMissing = 0;
    ProjectFile = "MyProject.zlt";
    ProjectFileSeen = {};
    applicationName_ = "My Project";
    CompanyName = "Oxbel Corporation";
    Version = "1.0";
    DefaultDirectory = "C:\\Windows";
    UseDefaultDest = 1;
    DefaultDestBase.clear();
    DefaultDestPrefix.clear();
    Destination.clear();
}

// A new component manager with the two components every project has; the
// catalogue and the proofreading selection start empty.
void WProjectData::ResetComponents() {
    DefaultLanguage.clear();
    WritingToolLanguages.clear();
    WritingToolScripts.clear();
    catalogue_.Clear();

    components_ = std::make_unique<WCreatorManager>();
    components_->SetGatherSelectedOnly(true);
    Strings().Clear();
    WSetupComponent* product = components_->Add(kProductName, 0);
    WSetupComponent* files = components_->Add(kProgramFilesName, 1);
    for (WSetupComponent* c : {product, files}) {
        c->SetInstallTypes(kDefaultInstallTypes);
        c->SetKind(1);
        c->SetDestination("<D>");
    }
    product->SetDisplayName(applicationName_);
    files->SetDisplayName("Program Files");
    product->AddChild(files);
    product->Select(WSetupComponent::kSelected);
    files->Select(WSetupComponent::kSelected);
}

// Background defaults and new section objects.
void WProjectData::ResetBackground() {
    BackTitle.clear();
    BackTitleFont = "Times New Roman";
    BackTitleFontHeight = kDefaultTitleFontHeight;
    BackFontStyle = "Normal";
    BackTitleBold = 0;
    BackTitleItalic = 0;
    BackTitleAlign = "LEFT";
    TitleTextRed = "0";
    TitleTextGreen = "0";
    TitleTextBlue = "128";
    GradientColor.clear();
    BackWorkValues = {"0", "0", "0", "255", "0", "0", "0"};
    Charset.clear();
    FontName.clear();
    boxId_ = std::make_unique<WSPMBoxId>();
    product_ = std::make_unique<WSPMProduct>();
    ui_ = std::make_unique<WSPMUi>();
    sysReq_ = std::make_unique<WSPMSysReq>();
    background_ = std::make_unique<WSetupBackground>();
}

// License, release notes, standard components, proofreading, folders and the
// database engine's configuration.
void WProjectData::ResetOptions() {
    DisplayLicense = 0;
    LicenseText.clear();
    DisplayRelease = 0;
    ReleaseText.clear();
    FrameworkComponent = 0;
    RuntimeComponent = 1;
    UninstallComponent = 1;
    BDEComponent = 1;
    // No language is chosen yet, so the proofreading tools start unticked: a
    // setup with the tools and no language would offer an empty choice.
    AreWritingToolsSelected = 0;
    DefaultWritingToolLang = "English";
    DefaultFolder.clear();
    EmptyTargetFolders.clear();
    ShortcutFolder = "My Project 1.0";

    IsInterBaseSelected = IsDB2Selected = IsInformixSelected = IsMSSQLSelected = 0;
    IsOracleSelected = IsSybaseCTLibSelected = IsSybaseDBLibSelected = 0;
    IsDefaultCFGSelected = 1;
    IDAPICNFDirectory = JoinPath(JoinPath(InstallLocation, "Bde501"), "IDAPI.CNF");
    DefaultConfigFile = IDAPICNFDirectory;
}

void WProjectData::ResetMedia() {
    MediaDistributionDirectory.clear();
    IsFloppySetup = 0;
    DiskSize = "1.44 MB";
    FloppyCustomSize = "1.44";
    FloppySetSizeType = "MB";
    mediaSize_ = kDefaultMediaSize;
    MinMediaSize = 700000.0;
    MaxMediaSize = 660000000.0;
    ShipUserConfig = 0;
}

void WProjectData::Clear() {
    WritingToolLanguages.clear();
    WritingToolScripts.clear();
    catalogue_.Clear();
    components_.reset();
    boxId_.reset();
    product_.reset();
    ui_.reset();
    sysReq_.reset();
    background_.reset();
    macroTable_.clear();
    macroPairs_.clear();
}

void WProjectData::ResetFolderMacros() {
    macroTable_ = {
        {"<Target Folder>", "programs\\"},
        {"<Target Drive Letter:>", "programs\\"},
        {"<Windows Folder>", "programs\\"},
        {"<Windows Drive Letter:>", "programs\\"},
        {"<Windows Program Files Folder>", "programs\\"},
        {"<Windows System Folder>", "config\\system\\"},
        {"<Fonts Folder>", "Fonts\\"},
        {"<BDE Folder>", "BDE501\\"},
    };
    const SystemFolders& folders = TheSystemFolders();
    macroPairs_ = {
        {"<Target Folder>", DefaultDirectory},
        {"<Windows Folder>", folders.WindowsFolder()},
        {"<Windows System Folder>", folders.SystemFolder()},
        {"<Windows Program Files Folder>", folders.ProgramFilesFolder()},
        {"<Fonts Folder>", folders.FontsFolder()},
        {"<BDE Folder>", folders.BdeFolder()},
    };
}

std::string WProjectData::FolderForMacro(std::string_view longMacro) const {
    auto it = macroTable_.find(std::string(longMacro));
    return it == macroTable_.end() ? std::string() : it->second;
}

void WProjectData::SetApplicationName(std::string_view name) {
    applicationName_ = std::string(name);
    if (WSetupComponent* product = ProductComponent())
        product->SetDisplayName(applicationName_);
}

bool WProjectData::SetMediaSize(double bytes, bool check) {
    // Written so that a NaN is refused too.
    if (check && !(bytes >= MinMediaSize && bytes <= MaxMediaSize))
        return false;
    mediaSize_ = bytes;
    return true;
}

bool WProjectData::LoadCatalogue() {
    // Loading selects every script it reads; the flags decide what stays.
    bool ok = LoadCatalogueScripts();
    ApplyComponentSelection();
    return ok;
}

bool WProjectData::LoadCatalogueScripts() {
    catalogue_.Clear();
    if (!components_)
        return false;
    UninstallComponent = 1;
    // Without an installation folder there is nothing to load (and "Comps"
    // must not be looked for in whatever the current folder is).
    if (InstallLocation.empty())
        return false;

    components_->ClearSearchFolders();
    components_->ClearFailures();
    components_->AddSearchFolder(ResolveNoCase(JoinPath(InstallLocation, "Comps")));
    WSetupComponent* files = ProgramFilesComponent();

    bool ok = true;
    auto load = [&](const std::string& script, WComponentCatalogue::Category category) {
        WSetupComponent* c = nullptr;
        if (!components_->LoadLibraryScript(script, files, &c))
            ok = false;
        if (!c)
            return;
        catalogue_.components[category].push_back(c);
        catalogue_.componentOfScript[script] = c->GetName();
        catalogue_.scriptPaths[script] = components_->LocateScript(script);
    };

    load("Distrib.kvz", WComponentCatalogue::kDistrib);
    std::vector<std::string> languageScripts;
    for (const auto& row : WritingToolLanguageTable) {
        std::string script = row.script;
        if (std::find(languageScripts.begin(), languageScripts.end(), script) !=
            languageScripts.end()) {
            continue;
        }
        languageScripts.push_back(script);
        if (!components_->LocateScript(script).empty()) {
            load(script, WComponentCatalogue::kWritingTools);
        }
    }
    load("TY9_Framework.kvz", WComponentCatalogue::kFramework);
    load("TY9Run_Program.kvz", WComponentCatalogue::kRuntime);
    load("Uninstall.kvz", WComponentCatalogue::kUninstall);
    load("OnDmndBDE.kvz", WComponentCatalogue::kDatabase);
    for (const SqlLinksDriver& driver : SqlLinksDriverTable)
        load(driver.script, WComponentCatalogue::kSqlLinks);

    catalogue_.failures = components_->Failures();
    catalogue_.loaded = ok;
    return ok;
}

WSetupComponent* WProjectData::CatalogueComponent(std::string_view script) const {
    auto it = catalogue_.componentOfScript.find(std::string(script));
    if (it == catalogue_.componentOfScript.end() || !components_)
        return nullptr;
    return components_->Find(it->second);
}

void WProjectData::ApplyComponentSelection() {
    if (!components_)
        return;
    WSetupComponent* product = ProductComponent();
    WSetupComponent* files = ProgramFilesComponent();
    if (files) {
        using C = WComponentCatalogue;
        std::vector<WSetupComponent*> wanted;
        auto want = [&wanted](WSetupComponent* c) {
            if (c && std::find(wanted.begin(), wanted.end(), c) == wanted.end())
                wanted.push_back(c);
        };
        want(CatalogueComponent("Distrib.kvz"));
        if (AreWritingToolsSelected && RuntimeComponent) {
            // Several languages share one script (the English variants).
            std::vector<WSetupComponent*> languages;
            for (const std::string& code : WritingToolLanguages) {
                if (const WritingToolLanguage* row = FindWritingToolLanguage(code))
                    languages.push_back(CatalogueComponent(row->script));
            }
            // In catalogue order, whatever order the codes came in.
            for (WSetupComponent* c : catalogue_.components[C::kWritingTools]) {
                if (std::find(languages.begin(), languages.end(), c) != languages.end())
                    want(c);
            }
        }
        if (FrameworkComponent)
            want(CatalogueComponent("TY9_Framework.kvz"));
        if (RuntimeComponent)
            want(CatalogueComponent("TY9Run_Program.kvz"));
        if (UninstallComponent)
            want(CatalogueComponent("Uninstall.kvz"));
        if (BDEComponent)
            want(CatalogueComponent("OnDmndBDE.kvz"));
        for (const SqlLinksDriver& driver : SqlLinksDriverTable) {
            if (this->*driver.flag)
                want(CatalogueComponent(driver.script));
        }
        // Dependencies that came from elsewhere (a project's own script read
        // without this installation's catalogue) stay where they are.
        for (const auto& category : catalogue_.components) {
            for (WSetupComponent* c : category)
                files->RemoveDependency(c);
        }
        for (WSetupComponent* c : wanted)
            files->AddDependency(c);
    }
    components_->SelectOnly({product, files});
}

WComponentManager& WProjectData::ComponentSource() {
    if (!components_)
        components_ = std::make_unique<WCreatorManager>();
    return *components_;
}

std::vector<std::string> WProjectData::DictionaryLines() const {
    std::vector<std::string> lines;
    if (!AreWritingToolsSelected)
        return lines;
    for (const std::string& code : WritingToolLanguages) {
        if (const WritingToolLanguage* row = FindWritingToolLanguage(code)) {
            lines.push_back(Unpercent(row->token) + " = " + row->displayName);
        }
    }
    return lines;
}

std::string WProjectData::PagesText() const {
    std::string pages = "Welcome ";
    if (DisplayLicense)
        pages += "License ";
    if (AreWritingToolsSelected)
        pages += "Dictionary ";
    pages += "Destination Ready";
    return pages;
}

namespace {

void ApplyBackgroundFields(const WProjectData& p, WSetupBackground& b, ProductScriptKind kind) {
    b.SetTitleFont(OneLineValue(p.BackTitleFont));
    b.SetBackgroundTitle(OneLineValue(p.BackTitle));
    b.SetTitleFontAlign(OneLineValue(p.BackTitleAlign));
    b.SetTitleFontHeight(static_cast<int>(ToInt(p.BackTitleFontHeight)));
    if (kind == ProductScriptKind::kProjectFile)
        b.dropShadow = false;
    b.italicTitle = p.BackTitleItalic != 0;
    b.boldTitle = p.BackTitleBold != 0;
    b.SetGradientColor(OneLineValue(p.GradientColor));
    b.SetTextBrushBlue(static_cast<int>(ToInt(p.TitleTextBlue)));
    b.SetTextBrushGreen(static_cast<int>(ToInt(p.TitleTextGreen)));
    b.SetTextBrushRed(static_cast<int>(ToInt(p.TitleTextRed)));
}

}  // namespace

void WProjectData::PrepareBackground(ProductScriptKind kind) {
    if (!background_)
        background_ = std::make_unique<WSetupBackground>();
    ApplyBackgroundFields(*this, *background_, kind);
}

WSetupBackground WProjectData::SetupBackground() const {
    WSetupBackground written = background_ ? *background_ : WSetupBackground();
    ApplyBackgroundFields(*this, written, ProductScriptKind::kSetup);
    WSetupData script;
    written.Write(&script);
    WSetupBackground read;
    read.Read(&script);
    return read;
}

void WProjectData::FillProductScript(WSetupProductData& script) {
    if (!boxId_)
        boxId_ = std::make_unique<WSPMBoxId>();
    boxId_->SetBoxName("Tessary 9 Runtime");
    boxId_->SetSourceFile("Box.id");
    boxId_->SetProgramsFolder("Programs");
    boxId_->SetDependentComponents("TY9Run_Program.1");
    boxId_->SetUseBoxId(true);
    boxId_->Write(&script);

    WriteProductSections(script, ProductScriptKind::kSetup);
}

void WProjectData::WriteProductSections(WSetupData& script, ProductScriptKind kind) {
    if (!product_)
        product_ = std::make_unique<WSPMProduct>();
    if (!ui_)
        ui_ = std::make_unique<WSPMUi>();
    if (!sysReq_)
        sysReq_ = std::make_unique<WSPMSysReq>();
    const bool setup = kind == ProductScriptKind::kSetup;

    WriteProductSection(script, kind);

    ui_->SetPages(PagesText());
    ui_->SetCharSet(Charset.empty() ? std::string("0") : OneLineValue(Charset));
    ui_->SetFontName("Times New Roman");
    ui_->SetStringFile("Setup\\string.str");
    ui_->Write(&script);

    PrepareBackground(kind);
    background_->Write(&script);

    WriteAboutAndLicensePages(script);
    WriteDictionaryPage(script, kind);
    WriteDestinationAndReadyPages(script);

    sysReq_->SetResolution("640x480");
    if (setup)
        sysReq_->SetOperatingSystemContinue(true);
    sysReq_->Write(&script);
}

void WProjectData::WriteProductSection(WSetupData& script, ProductScriptKind kind) {
    // The setup registers the product under the runtime's version; the
    // project file keeps the application's own version there.
    const bool setup = kind == ProductScriptKind::kSetup;
    product_->SetBillboardScript("");
    product_->SetProductName(applicationName_);
    product_->SetDisplayName(applicationName_);
    product_->SetShortcutFolder(applicationName_);
    product_->SetDestination(OneLineValue(Destination));
    product_->SetProductKey(OneLineValue("Software\\Oxbel\\" + applicationName_ + "\\" +
                                         (setup ? std::string("9.0") : Version)));
    if (setup)
        product_->SetInstallType(0);
    product_->SetDefaultLocale(OneLineValue(DefaultLanguage));
    product_->Write(&script);
}

void WProjectData::WriteDictionaryPage(WSetupData& script, ProductScriptKind kind) const {
    const bool setup = kind == ProductScriptKind::kSetup;
    if (setup && !AreWritingToolsSelected)
        return;
    auto set = [&script](const char* key, const std::string& value) {
        script.SetValue("PageDictionary", key, value, true);
    };
    if (setup) {
        set("PageTitle", "Writing Tools");
        set("PageBmp", "");
        set("TreeDisplayName", "Writing Tools");
        set("Static", "Which language(s) would you like to use for proofreading Oxbel Documents?");
        set("ShowPageForCustom", "1");
        set("ShowPageForTypical", "1");
        set("ShowPageForCompact", "1");
        set("MustSelectOne", "1");
        set("DependentComponents", "Program_files");
        set("DefaultNone", "No Default");
    }
    set("DefaultLanguage", OneLineValue(DefaultLanguage));
    if (setup) {
        set("BoxRegName", "");
        set("OtherBoxRegNames", "");
    }
    for (const std::string& code : WritingToolLanguages) {
        if (const WritingToolLanguage* row = FindWritingToolLanguage(code))
            set(row->code, std::string(row->token) + "," + BaseNameUpToFirstDot(row->script));
    }
    if (setup)
        set("PageTitleForAdd", "Add New Writing Tools");
}

void WProjectData::WriteAboutAndLicensePages(WSetupData& script) {
    script.SetValue("PageAbout", "PageBmp", "", true);
    script.SetValue("PageAbout", "PageTitle", "", true);
    script.SetValue("PageAbout", "ReleaseNotes", "Setup\\Release.txt", true);
    script.SetValue("PageAbout", "Welcome Sound", "Setup\\Setup.wav", true);

    script.SetValue("PageLicense", "PageBmp", "", true);
    script.SetValue("PageLicense", "PageTitle", "License Agreement", true);
    script.SetValue("PageLicense", "LicenseFilename", "Setup\\License.txt", true);
}

void WProjectData::WriteDestinationAndReadyPages(WSetupData& script) const {
    const char* d = "PageDestination";
    script.SetValue(d, "PageBmp", "", true);
    script.SetValue(d, "PageTitle", "Destination Folder", true);
    script.SetValue(d, "ShowPageForCompact", "1", true);
    script.SetValue(d, "ShowPageForTypical", "1", true);
    script.SetValue(d, "ShowPageForCustom", "1", true);
    script.SetValue(d, "LongDestError", "", true);
    script.SetValue(d, "DestinationBrowse", "1", true);
    script.SetValue(d, "FontsBrowse", "1", true);

    script.SetValue("PageReady", "PageBmp", "", true);
    script.SetValue("PageReady", "PageTitle", OneLineValue("Ready to install " + applicationName_),
                    true);
}

}  // namespace vantrel
