// vantrel-cli show PROJECT.zlt: what a project holds, for a person to read.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "cli/project_cli.h"
#include "elements/element_classes.h"
#include "elements/setup_background.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/customisation_rules.h"
#include "project/project_data.h"
#include "project/registry_keys.h"
#include "project/shortcut_rules.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "show";

void Line(const std::string& text) {
    std::printf("%s\n", Out(text).c_str());
}

void Field(const char* label, const std::string& value) {
    Line(Format("  %-22s %s", (std::string(label) + ":").c_str(), value.c_str()));
}

std::string YesNo(int flag) {
    return flag ? "yes" : "no";
}

// A stored path or value as the wizard shows it (long folder macros).
std::string Shown(const std::string& text) {
    return ExpandFolderMacros(text);
}

std::string TextSummary(int shown, const std::string& text) {
    if (!shown)
        return "not shown";
    if (text.empty())
        return "shown, empty";
    size_t lines = 1;
    for (char c : text)
        lines += c == '\n';
    std::string first = text.substr(0, text.find('\n'));
    if (first.size() > 50)
        first = first.substr(0, 47) + "...";
    return Format("shown, %zu line%s, %s", lines, lines == 1 ? "" : "s", Quoted(first).c_str());
}

// The elements of one type in the project's own components.
std::vector<const WSetupElement*> Elements(const WProjectData& p, std::vector<int> types) {
    std::vector<const WSetupElement*> list;
    for (WSetupComponent* c : {p.ProductComponent(), p.ProgramFilesComponent()}) {
        if (!c)
            continue;
        for (int type : types) {
            for (auto& e : c->Elements(type))
                list.push_back(e.get());
        }
    }
    return list;
}

void Heading(const std::string& title, size_t count) {
    Line("");
    Line(Format("%s (%zu)", title.c_str(), count));
    if (count == 0)
        Line("  none");
}

// The SQL Links drivers the project ships.
std::vector<std::string> SqlLinksDrivers(const WProjectData& p) {
    std::vector<std::string> links;
    const std::pair<const char*, int> drivers[] = {{"InterBase", p.IsInterBaseSelected},
                                                   {"DB2", p.IsDB2Selected},
                                                   {"Informix", p.IsInformixSelected},
                                                   {"MS SQL Server", p.IsMSSQLSelected},
                                                   {"Oracle", p.IsOracleSelected},
                                                   {"Sybase CT-Lib", p.IsSybaseCTLibSelected},
                                                   {"Sybase DB-Lib", p.IsSybaseDBLibSelected}};
    for (auto& [name, on] : drivers) {
        if (on)
            links.push_back(name);
    }
    return links;
}

void ShowApplication(const WProjectData& p) {
    Line("Application");
    Field("Name", p.GetApplicationName());
    Field("Company", p.CompanyName);
    Field("Version", p.Version);
    Field("Destination", Shown(p.Destination));
    Field("Shortcut folder", p.ShortcutFolder);
    Field("Source folder", p.DefaultFolder.empty() ? "(none)" : DisplayPath(p.DefaultFolder));
    Field("Installation folder",
          p.InstallLocation.empty() ? "(none)" : DisplayPath(p.InstallLocation));
}

void ShowOptions(const WProjectData& p) {
    Line("");
    Line("Setup options");
    Field("Runtime", YesNo(p.RuntimeComponent));
    Field("Application framework", YesNo(p.FrameworkComponent));
    Field("Uninstaller", YesNo(p.UninstallComponent));
    Field("Database engine", YesNo(p.BDEComponent));
    std::string tools = YesNo(p.AreWritingToolsSelected);
    if (p.AreWritingToolsSelected) {
        tools += ", default " + p.DefaultWritingToolLang;
        if (!p.WritingToolLanguages.empty())
            tools += ", languages " + Join(p.WritingToolLanguages, ", ");
    }
    Field("Proofreading tools", tools);
    Field("Default language", p.DefaultLanguage.empty() ? "(none)" : p.DefaultLanguage);
    const std::vector<std::string> links = SqlLinksDrivers(p);
    Field("SQL Links drivers", links.empty() ? "none" : Join(links, ", "));
    Field("Engine configuration",
          (p.IsDefaultCFGSelected ? "default, " : "own, ") + DisplayPath(p.IDAPICNFDirectory));
    Field("License agreement", TextSummary(p.DisplayLicense, p.LicenseText));
    Field("Release notes", TextSummary(p.DisplayRelease, p.ReleaseText));
    // What the setup will show, with the defaults that empty values stand for.
    const WSetupBackground b = p.SetupBackground();
    const char* styles[] = {"Normal", "Normal Italic", "Bold", "Bold Italic"};
    Field("Background title", Quoted(b.GetBackgroundTitle()) + ", " + b.GetTitleFont() + " " +
                                  std::to_string(b.GetTitleFontHeight()) + ", " +
                                  styles[(b.boldTitle ? 2 : 0) + (b.italicTitle ? 1 : 0)] + ", " +
                                  b.GetTitleFontAlign());
    Field("Title colour", "red " + std::to_string(b.GetTextBrushRed()) + ", green " +
                              std::to_string(b.GetTextBrushGreen()) + ", blue " +
                              std::to_string(b.GetTextBrushBlue()));
    Field("Gradient", b.GetGradientColor() + ", " + b.GetGradientDirection());
    Field("Drop shadow", b.dropShadow ? "on" : "off");
    Field("Media folder", p.MediaDistributionDirectory.empty()
                              ? "(none)"
                              : DisplayPath(p.MediaDistributionDirectory));
    std::string size = p.DiskSize;
    if (EqualsNoCase(p.DiskSize, "Custom"))
        size += " (" + p.FloppyCustomSize + " " + p.FloppySetSizeType + ")";
    Field("Media size", size + (p.IsFloppySetup ? ", floppy set" : ", one disk"));
}

void ShowFiles(const WProjectData& p) {
    auto files = Elements(p, {kElementFile, kElementTTFFile});
    Heading("Files", files.size());
    for (auto* e : files) {
        std::string source = e->GetSourceName();
        if (e->GetSourceDir() != "<S>" && !e->GetSourceDir().empty())
            source = DisplayPath(JoinPath(e->GetSourceDir(), FileNameOf(e->GetSourceName())));
        std::string line = "  " + Shown(e->GetTargetPath()) + "  <-  " + source + "  (" +
                           FormatFixed(e->GetSize(), 0) + " bytes)";
        if (auto* font = dynamic_cast<const WSetupTTFFile*>(e))
            line += "  font " + Quoted(font->GetTypefaceName());
        Line(line);
    }
}

void ShowRegistry(const WProjectData& p) {
    auto entries = Elements(p, {kElementRegistryKeys, kElementRegFile, kElementSelfRegister});
    Heading("Registry entries", entries.size());
    for (auto* e : entries) {
        if (auto* r = dynamic_cast<const WSetupRegEntry*>(e)) {
            Line("  " + DescribeRegistryEntry(*r));
        } else if (e->GetTypeCode() == kElementRegFile) {
            Line("  merge " + Shown(e->GetTargetPath()));
        } else {
            Line("  register " + Shown(e->GetTargetPath()));
        }
    }
}

void ShowShortcuts(const WProjectData& p) {
    // As the shortcuts page lists them: those of "Program_files" and the
    // runtime's own.
    auto links = ListedShortcuts(p);
    Heading("Shortcuts", links.size());
    for (const WSetupShortcut* s : links)
        Line("  " + DescribeShortcut(*s));
}

void ShowCustomisations(const WProjectData& p) {
    auto changes = Elements(p, {kElementProfile, kElementCustFile});
    Heading("Customisations", changes.size());
    for (auto* e : changes) {
        if (auto* ini = dynamic_cast<const WSetupProfileString*>(e))
            Line("  " + DescribeIniEntry(*ini));
        else if (auto* text = dynamic_cast<const WSetupCustFile*>(e))
            Line("  " + DescribeTextReplacement(*text));
    }
}

void ShowOthers(const WProjectData& p) {
    auto others = Elements(p, {kElementBackFile, kElementDir, kElementExecute, kElementCustomDll,
                               kElementRuntimeFile, kElementRuntimeRegEntry, kElementDeleteFile,
                               kElementUninstallExe, kElementUninstallDll});
    if (others.empty())
        return;
    Heading("Other setup steps", others.size());
    for (auto* e : others)
        Line("  " + ElementTypeName(e->GetTypeCode()) + "  " + Shown(e->GetTargetPath()));
}

// The same as the text, for programs: the stable "vantrel-show" document of
// the README's "Scripting and CI".
std::string ShowJson(const WProjectData& p) {
    JsonWriter j;
    auto text = [&](const char* key, const std::string& win1252Text) {
        j.Key(key).String(Out(win1252Text));
    };
    auto path = [&](const char* key, const std::string& enginePath) {
        j.Key(key).StringOrNull(enginePath.empty() ? std::string() : Out(DisplayPath(enginePath)));
    };
    j.BeginObject().Key("format").String("vantrel-show").Key("version").Number(int64_t{1});
    path("project", p.ProjectFile);
    j.Key("application").BeginObject();
    text("name", p.GetApplicationName());
    text("company", p.CompanyName);
    text("version", p.Version);
    text("destination", Shown(p.Destination));
    text("shortcutFolder", p.ShortcutFolder);
    path("sourceFolder", p.DefaultFolder);
    path("installationFolder", p.InstallLocation);
    j.EndObject();

    j.Key("options").BeginObject();
    j.Key("runtime").Bool(p.RuntimeComponent);
    j.Key("framework").Bool(p.FrameworkComponent);
    j.Key("uninstaller").Bool(p.UninstallComponent);
    j.Key("databaseEngine").Bool(p.BDEComponent);
    j.Key("proofreadingTools").Bool(p.AreWritingToolsSelected);
    text("proofreadingDefault", p.AreWritingToolsSelected ? p.DefaultWritingToolLang : "");
    j.Key("proofreadingLanguages").BeginArray();
    if (p.AreWritingToolsSelected) {
        for (const std::string& l : p.WritingToolLanguages)
            j.String(Out(l));
    }
    j.EndArray();
    text("defaultLanguage", p.DefaultLanguage);
    j.Key("sqlLinks").BeginArray();
    for (const std::string& name : SqlLinksDrivers(p))
        j.String(name);
    j.EndArray();
    j.Key("defaultEngineConfiguration").Bool(p.IsDefaultCFGSelected);
    path("engineConfiguration", p.IDAPICNFDirectory);
    j.Key("license").Bool(p.DisplayLicense);
    j.Key("releaseNotes").Bool(p.DisplayRelease);
    const WSetupBackground background = p.SetupBackground();
    text("backgroundTitle", background.GetBackgroundTitle());
    text("gradientColour", background.GetGradientColor());
    j.Key("dropShadow").Bool(background.dropShadow);
    path("mediaFolder", p.MediaDistributionDirectory);
    text("mediaSize", p.DiskSize);
    j.Key("floppySet").Bool(p.IsFloppySetup);
    j.EndObject();

    j.Key("files").BeginArray();
    for (auto* e : Elements(p, {kElementFile, kElementTTFFile})) {
        std::string source = e->GetSourceName();
        if (e->GetSourceDir() != "<S>" && !e->GetSourceDir().empty())
            source = DisplayPath(JoinPath(e->GetSourceDir(), FileNameOf(e->GetSourceName())));
        j.BeginObject();
        text("target", Shown(e->GetTargetPath()));
        text("source", source);
        j.Key("size").Number(static_cast<double>(e->GetSize()));
        auto* font = dynamic_cast<const WSetupTTFFile*>(e);
        j.Key("font").StringOrNull(font ? Out(font->GetTypefaceName()) : std::string());
        j.EndObject();
    }
    j.EndArray();

    j.Key("registry").BeginArray();
    for (auto* e : Elements(p, {kElementRegistryKeys, kElementRegFile, kElementSelfRegister})) {
        j.BeginObject();
        if (auto* r = dynamic_cast<const WSetupRegEntry*>(e)) {
            j.Key("kind").String("value");
            text("text", DescribeRegistryEntry(*r));
        } else {
            j.Key("kind").String(e->GetTypeCode() == kElementRegFile ? "merge" : "register");
            text("text", Shown(e->GetTargetPath()));
        }
        j.EndObject();
    }
    j.EndArray();

    j.Key("shortcuts").BeginArray();
    for (const WSetupShortcut* s : ListedShortcuts(p))
        j.String(Out(DescribeShortcut(*s)));
    j.EndArray();

    j.Key("customisations").BeginArray();
    for (auto* e : Elements(p, {kElementProfile, kElementCustFile})) {
        if (auto* ini = dynamic_cast<const WSetupProfileString*>(e)) {
            j.BeginObject().Key("kind").String("ini");
            text("text", DescribeIniEntry(*ini));
            j.EndObject();
        } else if (auto* t = dynamic_cast<const WSetupCustFile*>(e)) {
            j.BeginObject().Key("kind").String("replace");
            text("text", DescribeTextReplacement(*t));
            j.EndObject();
        }
    }
    j.EndArray();
    j.EndObject();
    return j.Text();
}

int RunShow(Args& args) {
    const bool json = TakeFlag(args, "--json");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 1)
        return UsageError(kName, args.words.empty() ? "the project file is missing"
                                                    : "one project file at a time");
    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    if (json) {
        std::fputs(ShowJson(project).c_str(), stdout);
        return kOk;
    }
    Line("Project " + DisplayPath(project.ProjectFile));
    Line("");
    ShowApplication(project);
    ShowOptions(project);
    ShowFiles(project);
    ShowRegistry(project);
    ShowShortcuts(project);
    ShowCustomisations(project);
    ShowOthers(project);
    return kOk;
}

Registrar reg{{kName, "show PROJECT.zlt [--json]",
               "print what a project holds: application, options, files and their target "
               "folders, registry entries, shortcuts, customisations",
               &RunShow, "  --json   the same as a JSON document (format \"vantrel-show\")\n"}};

}  // namespace
}  // namespace vantrel::cli
