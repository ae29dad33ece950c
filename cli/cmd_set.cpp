// vantrel-cli set PROJECT.zlt KEY=VALUE...: changes project settings by the
// names under which the project file stores them.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/text_file.h"
#include "project/bde_rules.h"
#include "project/project_data.h"
#include "project/project_rules.h"
#include "project/shortcut_rules.h"
#include "project/text_import.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "set";

// One settable key: how its value is checked and where it goes. `check`
// returns an empty text for a good value (possibly rewriting it), else the
// reason it is refused.
struct Setting {
    const char* key;
    std::function<std::string(std::string&)> check;
    std::function<void(WProjectData&, const std::string&)> apply;
};

std::string Flag(std::string& v) {
    return v == "0" || v == "1" ? std::string() : "must be 0 or 1";
}

std::function<std::string(std::string&)> Range(long long low, long long high) {
    return [low, high](std::string& v) -> std::string {
        long long n = 0;
        if (!ParseInt(v, n) || n < low || n > high)
            return Format("must be a whole number from %lld to %lld", low, high);
        v = std::to_string(n);
        return {};
    };
}

// The background page's rule; the number is stored without blanks or sign.
std::string FontSize(std::string& v) {
    if (std::string why = CheckBackgroundFontSize(v); !why.empty())
        return why;
    long long height = 0;
    ParseInt(v, height);
    v = std::to_string(height);
    return {};
}

std::function<std::string(std::string&)> OneOf(std::vector<std::string> choices) {
    return [choices](std::string& v) -> std::string {
        for (auto& c : choices) {
            if (EqualsNoCase(v, c)) {
                v = c;
                return {};
            }
        }
        return "must be one of " + Join(choices, ", ");
    };
}

std::string AnyText(std::string&) {
    return {};
}

std::string DestinationPrefix(std::string& v) {
    if (EqualsNoCase(v, "<WPF>") || EqualsNoCase(v, "<Windows Program Files Folder>")) {
        v = "<WPF>";
        return {};
    }
    if (EqualsNoCase(v, "<WDL:>") || EqualsNoCase(v, "<Windows Drive Letter:>")) {
        v = "<WDL:>";
        return {};
    }
    return "must be <WPF> (<Windows Program Files Folder>) or <WDL:> (<Windows Drive Letter:>)";
}

std::string Languages(std::string& v) {
    std::vector<std::string> codes;
    for (auto& code : SplitTrimmed(v, ',')) {
        std::string upper = ToUpper(code);
        if (!FindWritingToolLanguage(upper)) {
            std::vector<std::string> all;
            for (auto& row : WritingToolLanguageTable)
                all.push_back(row.code);
            return "unknown language " + code + " (known: " + Join(all, ",") + ")";
        }
        if (std::find(codes.begin(), codes.end(), upper) == codes.end())
            codes.push_back(upper);
    }
    v = Join(codes, ",");
    return {};
}

// A key that holds a project flag or number.
Setting Number(const char* key, int WProjectData::*field,
               std::function<std::string(std::string&)> check = Flag) {
    return {key, std::move(check), [field](WProjectData& p, const std::string& v) {
                p.*field = static_cast<int>(ToInt(v));
            }};
}

// A key that holds a project text.
Setting Text(const char* key, std::string WProjectData::*field,
             std::function<std::string(std::string&)> check = AnyText) {
    return {key, std::move(check),
            [field](WProjectData& p, const std::string& v) { p.*field = v; }};
}

const std::vector<Setting>& Settings() {
    using P = WProjectData;
    // The name, company and version are checked with the whole project
    // (project/project_rules.h) once every change is made.
    static const std::vector<Setting> settings{
        {"ApplicationName", AnyText, [](P& p, const std::string& v) { p.SetApplicationName(v); }},
        Text("CompanyName", &P::CompanyName),
        Text("Version", &P::Version),
        Number("UseDefaultDest", &P::UseDefaultDest),
        Text("DefaultDestPrefix", &P::DefaultDestPrefix, DestinationPrefix),
        Text("DefaultDestBase", &P::DefaultDestBase),
        // The Start-menu group, checked as on the shortcuts page; its
        // shortcuts move along.
        {"ShortcutFolder", [](std::string& v) { return CheckGroupName(v); },
         [](P& p, const std::string& v) { SetShortcutGroup(p, v); }},
        Text("DefaultFolder", &P::DefaultFolder),
        Number("UninstallComponent", &P::UninstallComponent),
        Number("RuntimeComponent", &P::RuntimeComponent),
        Number("FrameworkComponent", &P::FrameworkComponent),
        Number("BDEComponent", &P::BDEComponent),
        Number("AreWritingToolsSelected", &P::AreWritingToolsSelected),
        Text("DefaultWritingToolLang", &P::DefaultWritingToolLang),
        {"WritingToolLanguages", Languages,
         [](P& p, const std::string& v) { p.WritingToolLanguages = SplitTrimmed(v, ','); }},
        Text("DefaultLanguage", &P::DefaultLanguage),
        Number("DisplayLicense", &P::DisplayLicense),
        {"LicenseText", AnyText, [](P& p, const std::string& v) { p.LicenseText = v; }},
        Number("DisplayRelease", &P::DisplayRelease),
        {"ReleaseText", AnyText, [](P& p, const std::string& v) { p.ReleaseText = v; }},
        Text("IDAPICNFDirectory", &P::IDAPICNFDirectory),
        Number("IsDefaultCFGSelected", &P::IsDefaultCFGSelected),
        Number("IsInterBaseSelected", &P::IsInterBaseSelected),
        Number("IsDB2Selected", &P::IsDB2Selected),
        Number("IsInformixSelected", &P::IsInformixSelected),
        Number("IsMSSQLSelected", &P::IsMSSQLSelected),
        Number("IsOracleSelected", &P::IsOracleSelected),
        Number("IsSybaseCTLibSelected", &P::IsSybaseCTLibSelected),
        Number("IsSybaseDBLibSelected", &P::IsSybaseDBLibSelected),
        Text("Background Title", &P::BackTitle),
        Text("BackGroundTitleFont", &P::BackTitleFont),
        Text("BackGroundTitleFontHeight", &P::BackTitleFontHeight, FontSize),
        Text("BackFontStyle", &P::BackFontStyle),
        Number("BoldBackTitle", &P::BackTitleBold),
        Number("ItalicBackTitle", &P::BackTitleItalic),
        Text("BackGroundTitleFontAlign", &P::BackTitleAlign, OneOf({"LEFT", "CENTER", "RIGHT"})),
        Text("TextBrushRed", &P::TitleTextRed, Range(0, 255)),
        Text("TextBrushGreen", &P::TitleTextGreen, Range(0, 255)),
        Text("TextBrushBlue", &P::TitleTextBlue, Range(0, 255)),
        Text("GradientColor", &P::GradientColor, OneOf({"RED", "GREEN", "BLUE"})),
        Text("MediaDistributionDirectory", &P::MediaDistributionDirectory),
        Number("IsFloppySetup", &P::IsFloppySetup),
        Text("DiskSize", &P::DiskSize),
        Text("FloppyCustomSize", &P::FloppyCustomSize),
        Text("FloppySetSizeType", &P::FloppySetSizeType, OneOf({"KB", "MB"})),
        Number("AreFilesMissing", &P::AreFilesMissing, Range(0, 2147483647)),
    };
    return settings;
}

const Setting* FindSetting(const std::string& key) {
    for (auto& s : Settings()) {
        if (EqualsNoCase(key, s.key))
            return &s;
    }
    return nullptr;
}

std::string KeyList() {
    std::vector<std::string> keys;
    for (auto& s : Settings())
        keys.push_back(s.key);
    return Join(keys, ", ");
}

// The text of "@FILE", read as the license page imports a file (see
// project/text_import.h); trailing blanks go, as when the project file is
// read back.
int ReadTextArgument(const std::string& fileUtf8, std::string& text) {
    std::string path;
    if (!Win1252Arg(fileUtf8, path, "the file name"))
        return kFailure;
    WTextImport imported = ImportTextFile(path);
    switch (imported.status) {
        case WTextImport::kOk:
            break;
        case WTextImport::kUnreadable:
            return Fail(Out(imported.detail));
        case WTextImport::kTooLarge:
            return Fail(fileUtf8 + ": the file cannot exceed 64KB in size");
        case WTextImport::kNotText:
            return Fail(fileUtf8 + ": does not appear to be a text file (it holds a zero byte)");
        case WTextImport::kUnstorable:
            return Fail(fileUtf8 +
                        ": holds characters that Windows-1252 cannot hold: " + imported.detail);
    }
    text = TrimRight(imported.text);
    return kOk;
}

struct Change {
    const Setting* setting;
    std::string value;
};

// One "KEY=VALUE" argument, its value checked on its own. kOk, or the exit
// status after a message.
int ParseChange(const std::string& word, Change& change) {
    size_t eq = word.find('=');
    if (eq == std::string::npos || eq == 0)
        return UsageError(kName, "KEY=VALUE expected: " + word);
    std::string key = Trim(word.substr(0, eq));
    const Setting* setting = FindSetting(key);
    if (!setting)
        return UsageError(kName, "unknown key " + key + "; the keys are: " + KeyList());
    std::string value;
    std::string valueUtf8 = word.substr(eq + 1);
    bool isText =
        (std::string(setting->key) == "LicenseText" || std::string(setting->key) == "ReleaseText");
    if (isText && StartsWith(valueUtf8, "@")) {
        if (int rc = ReadTextArgument(valueUtf8.substr(1), value); rc != kOk)
            return rc;
    } else {
        if (!Win1252Arg(valueUtf8, value, setting->key))
            return kFailure;
        if (!isText && value.find_first_of("\r\n") != std::string::npos)
            return UsageError(kName, std::string(setting->key) + " must be one line");
        if (!isText)
            value = Trim(value);
    }
    if (std::string why = setting->check(value); !why.empty())
        return UsageError(kName, std::string(setting->key) + ": " + why);
    change = {setting, value};
    return kOk;
}

bool Changes(const std::vector<Change>& changes, const char* key, const char* value = nullptr) {
    return std::any_of(changes.begin(), changes.end(), [&](const Change& c) {
        return std::string(c.setting->key) == key && (!value || c.value == value);
    });
}

// As on the database-engine page: an SQL Links driver brings the engine
// along (an explicit BDEComponent=0 is left to the component rules, which
// refuse it), and an own configuration file that is chosen here must exist.
int ApplyDatabaseEngine(WProjectData& project, const std::vector<Change>& changes) {
    if (!Changes(changes, "BDEComponent", "0"))
        ApplySqlLinksDrivers(project);
    // The file is read when media are made, maybe from another folder.
    if (Changes(changes, "IDAPICNFDirectory") && !project.IDAPICNFDirectory.empty())
        project.IDAPICNFDirectory = AbsolutePath(project.IDAPICNFDirectory);
    // Choosing the default file names it, as the page does.
    if (Changes(changes, "IsDefaultCFGSelected", "1") && !Changes(changes, "IDAPICNFDirectory"))
        TakeConfigFile(project, true, {});
    const bool fileChosen =
        Changes(changes, "IDAPICNFDirectory") || Changes(changes, "IsDefaultCFGSelected");
    if (fileChosen && !project.IsDefaultCFGSelected) {
        if (std::string why = CheckConfigFile(project.IDAPICNFDirectory); !why.empty())
            return UsageError(kName,
                              Out(why) + " (" + Out(DisplayPath(project.IDAPICNFDirectory)) + ")");
    }
    return kOk;
}

int RunSet(Args& args) {
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() < 2)
        return UsageError(kName, args.words.empty() ? "the project file is missing"
                                                    : "nothing to set (KEY=VALUE expected)");

    std::vector<Change> changes(args.words.size() - 1);
    for (size_t i = 1; i < args.words.size(); ++i) {
        if (int rc = ParseChange(args.words[i], changes[i - 1]); rc != kOk)
            return rc;
    }

    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    // Only what this change breaks is refused: a project that broke a rule
    // already can still be mended one key at a time.
    const std::vector<std::string> before = ProjectProblems(project);
    for (auto& change : changes)
        change.setting->apply(project, change.value);
    // As on the background page: a title without a font gets the default one.
    if (project.BackTitleFont.empty()) {
        std::fprintf(stderr, "vantrel-cli: %s\n", Out(CheckBackgroundFont("")).c_str());
        project.BackTitleFont = kDefaultTitleFont;
    }
    CommitApplicationInfo(project);
    DropRuntimeShortcutWithoutRuntime(project);
    if (int rc = ApplyDatabaseEngine(project, changes); rc != kOk)
        return rc;
    project.ApplyComponentSelection();
    if (int rc = RefuseNewProblems(kName, project, before); rc != kOk)
        return rc;
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    // The file written is named, so that a script sees which one changed.
    std::printf("%s\n", Out(DisplayPath(project.ProjectFile)).c_str());
    return kOk;
}

Registrar reg{{kName, "set PROJECT.zlt KEY=VALUE...",
               "change project settings by their saved key names (LicenseText=@FILE reads a "
               "file; unknown keys list the valid ones)",
               &RunSet}};

}  // namespace
}  // namespace vantrel::cli
