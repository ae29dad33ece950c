#include "project/project_rules.h"

#include <algorithm>

#include "platform/strings.h"
#include "platform/system_folders.h"
#include "project/project_data.h"
#include "script/disk_utils.h"

namespace vantrel {

namespace {

// What neither a company name nor a folder may hold; the message lists the
// backslash and the colon as well, which a folder path needs.
constexpr std::string_view kForbidden = "/*?\"<>|,";
constexpr const char* kForbiddenList = "\n\t/ * ? \\ \" < > | : ,";

bool HasForbiddenCharacter(std::string_view text) {
    return text.find_first_of(kForbidden) != std::string_view::npos;
}

// A typed text longer than `limit` names its field in the refusal.
std::string TooLong(std::string_view field, std::string_view value, size_t limit) {
    if (value.size() <= limit)
        return {};
    return std::string(field) + " cannot be longer than " + std::to_string(limit) + " characters.";
}

std::string Joined(std::string_view a, std::string_view b) {
    std::string r(a);
    r += '\\';
    r += b;
    return r;
}

}  // namespace

std::string DestinationPrefix(bool useDefault, std::string_view prefix) {
    return !useDefault && prefix == kWindowsDriveMacro ? kWindowsDriveMacro : kProgramFilesMacro;
}

std::string ComposeDestination(bool useDefault, std::string_view prefix, std::string_view company,
                               std::string_view name, std::string_view base) {
    const std::string macro = DestinationPrefix(useDefault, prefix);
    return useDefault ? Joined(Joined(macro, company), name) : Joined(macro, base);
}

std::string DestinationOnThisMachine(bool useDefault, std::string_view prefix,
                                     std::string_view company, std::string_view name,
                                     std::string_view base) {
    const SystemFolders& folders = TheSystemFolders();
    if (useDefault)
        return Joined(Joined(folders.ProgramFilesFolder(), company), name);
    const std::string root = DestinationPrefix(useDefault, prefix) == kWindowsDriveMacro
                                 ? GetPathRoot(folders.WindowsFolder())
                                 : folders.ProgramFilesFolder();
    return Joined(root, base);
}

void ApplyDestination(WProjectData& project) {
    const bool useDefault = project.UseDefaultDest != 0;
    project.Destination =
        ComposeDestination(useDefault, project.DefaultDestPrefix, project.CompanyName,
                           project.GetApplicationName(), project.DefaultDestBase);
    project.DefaultDestPrefix = DestinationPrefix(useDefault, project.DefaultDestPrefix);
}

std::string DestinationOnThisMachine(const WProjectData& project) {
    return TidyPath(DestinationOnThisMachine(project.UseDefaultDest != 0, project.DefaultDestPrefix,
                                             project.CompanyName, project.GetApplicationName(),
                                             project.DefaultDestBase));
}

std::string TidyPath(std::string path) {
    path.erase(std::unique(path.begin(), path.end(),
                           [](char a, char b) { return a == '\\' && b == '\\'; }),
               path.end());
    return path;
}

std::string CheckApplicationName(std::string_view name) {
    if (name.empty())
        return "You must enter an Application name before continuing.";
    // The name is a field of the "Product" component line.
    if (name.find_first_of(",\r\n") != std::string_view::npos)
        return "The application name cannot contain a comma or a line break.";
    return TooLong("The application name", name, kMaxFieldLength);
}

std::string CheckCompanyName(std::string_view company) {
    if (company.empty())
        return "You must enter a Company name before continuing.";
    if (HasForbiddenCharacter(company))
        return std::string("Company Name cannot contain any of the following characters:") +
               kForbiddenList;
    return TooLong("The company name", company, kMaxFieldLength);
}

std::string CheckDefaultDirectory(std::string_view directory) {
    if (directory.empty())
        return "You must enter a default directory before continuing.";
    const size_t colon = directory.find(':');
    const bool secondColon =
        colon != std::string_view::npos && directory.find(':', colon + 1) != std::string_view::npos;
    // A path: the backslash separates its folders and one colon follows the drive.
    if (HasForbiddenCharacter(directory) || secondColon)
        return "The default directory cannot contain any of the following characters:\n\t/ * ? "
               "\" < > | , and no colon but the drive's.";
    return TooLong("The default directory", directory, kMaxDirectoryLength);
}

std::string CheckVersion(std::string_view version) {
    if (version.empty())
        return "You must enter a Version before continuing.";
    return TooLong("The version", version, kMaxFieldLength);
}

std::string CheckDestinationFolder(bool useDefault, std::string_view folder) {
    if (useDefault || folder.find_first_not_of(" \t\\") != std::string_view::npos)
        return {};
    return "You must enter a destination folder when the default destination directory is not "
           "used.";
}

std::string CheckTargetFolder(std::string_view folder) {
    if (!folder.empty() && (folder.find("\\\\") != std::string_view::npos || folder[0] == '\\'))
        return "Enter no more than one slash for directory separator in the Target Folder";
    return {};
}

bool RuntimeRequired(int framework) {
    return framework != 0;
}

bool DatabaseRequired(int runtime, bool sqlLinks) {
    return runtime != 0 || sqlLinks;
}

bool AnySqlLinksSelected(const WProjectData& p) {
    return std::any_of(SqlLinksDriverTable.begin(), SqlLinksDriverTable.end(),
                       [&p](const SqlLinksDriver& driver) { return p.*driver.flag != 0; });
}

bool LanguageRowLocked(std::string_view code, std::string_view defaultLanguage) {
    return !defaultLanguage.empty() && code == defaultLanguage;
}

std::string CheckComponents(int framework, int runtime, int database, bool sqlLinks) {
    if (RuntimeRequired(framework) && !runtime)
        return "The Tessary Application Framework needs the Tessary 9 Runtime.";
    if (DatabaseRequired(runtime, sqlLinks) && !database)
        return "The Borland Database Engine is needed while the Tessary 9 Runtime or an SQL Links "
               "driver is installed.";
    return {};
}

std::string CheckDefaultLanguage(std::string_view defaultLanguage,
                                 const std::vector<std::string>& languages) {
    if (defaultLanguage.empty() ||
        std::find(languages.begin(), languages.end(), defaultLanguage) != languages.end())
        return {};
    return "The default language " + std::string(defaultLanguage) +
           " must be one of the selected languages.";
}

std::string CheckWritingToolLanguages(int tools, int runtime, size_t languageCount) {
    if (tools && runtime && languageCount == 0)
        return "Please select at least one writing tool language";
    return {};
}

std::string CheckBackgroundTitle(std::string_view title) {
    if (title.empty())
        return "You must specify a Setup Title to continue.";
    return TooLong("The setup title", title, kMaxFieldLength);
}

std::string CheckBackgroundFont(std::string_view font) {
    if (!font.empty())
        return {};
    return std::string("You have not selected a font for your title, ") + kDefaultTitleFont +
           " has been set by default.";
}

std::string CheckBackgroundFontSize(std::string_view size) {
    if (size.empty())
        return "You must specify a Font Size to continue.";
    long long height = 0;
    if (!ParseInt(size, height) || height < kMinTitleFontHeight || height > kMaxTitleFontHeight)
        return Format("The Font Size must be a whole number from %d to %d.", kMinTitleFontHeight,
                      kMaxTitleFontHeight);
    return {};
}

std::string BackgroundTitleOf(const WProjectData& project) {
    return project.BackTitle.empty() ? project.GetApplicationName() + " Setup" : project.BackTitle;
}

std::vector<std::string> ProjectProblems(const WProjectData& p) {
    const std::string name = CheckApplicationName(p.GetApplicationName());
    const std::string company = CheckCompanyName(p.CompanyName);
    const std::string folder = CheckDestinationFolder(p.UseDefaultDest != 0, p.DefaultDestBase);
    // The directory is made of the name and the company, or of the typed
    // folder: their faults are told once, by their own checks.
    const bool partsOk = p.UseDefaultDest ? name.empty() && company.empty() : folder.empty();
    const std::string checks[] = {
        name,
        company,
        folder,
        partsOk ? CheckDefaultDirectory(DestinationOnThisMachine(p)) : std::string(),
        CheckVersion(p.Version),
        CheckComponents(p.FrameworkComponent, p.RuntimeComponent, p.BDEComponent,
                        AnySqlLinksSelected(p)),
        CheckDefaultLanguage(p.DefaultLanguage, p.WritingToolLanguages),
        CheckWritingToolLanguages(p.AreWritingToolsSelected, p.RuntimeComponent,
                                  p.WritingToolLanguages.size()),
        CheckBackgroundTitle(BackgroundTitleOf(p)),
        CheckBackgroundFont(p.BackTitleFont),
        CheckBackgroundFontSize(p.BackTitleFontHeight),
    };
    std::vector<std::string> problems;
    for (const std::string& text : checks) {
        if (!text.empty())
            problems.push_back(text);
    }
    return problems;
}

}  // namespace vantrel
