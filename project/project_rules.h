// The rules of the project pages, written once for the wizard and the
// command-line tool: how the destination is composed, which values the
// application-information and background pages refuse, and how the
// standard components and proofreading languages depend on each other.
//
// A check returns the message to show when the value is refused and an
// empty text when it passes; showing it (and with which icon) is the
// caller's business.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class WProjectData;

// The two bases of a destination in folder-macro form ("DefaultDestPrefix").
inline constexpr const char* kProgramFilesMacro = "<WPF>";
inline constexpr const char* kWindowsDriveMacro = "<WDL:>";
// The title font used when none is chosen.
inline constexpr const char* kDefaultTitleFont = "Times New Roman";

// The longest typed text a field takes. The setup engine reads script lines
// of fewer than 2,046 characters; the longest lines join two fields after a
// short key (the destination: company and application name; the product
// key: application name and version), so each field stays below half of it.
inline constexpr size_t kMaxFieldLength = 1000;
// The longest default directory: the destination of two fields of the
// longest length under the program-files folder, or a typed folder whose
// "Destination" and "DefaultDirectory" lines stay short enough.
inline constexpr size_t kMaxDirectoryLength = 2020;
// The title font sizes the background takes: the setup engine reads a size
// outside them as 80. A new project's size lies inside them.
inline constexpr int kMinTitleFontHeight = 20;
inline constexpr int kMaxTitleFontHeight = 160;
inline constexpr const char* kDefaultTitleFontHeight = "48";

// --- Destination.

// The base that a destination uses: the program-files folder with the
// default destination, else the Windows drive when `prefix` names it, else
// the program-files folder.
std::string DestinationPrefix(bool useDefault, std::string_view prefix);
// The destination in folder-macro form: the base, a backslash, and then the
// company, a backslash and the application name (default destination) or the
// typed folder `base`.
std::string ComposeDestination(bool useDefault, std::string_view prefix, std::string_view company,
                               std::string_view name, std::string_view base);
// The same folder as it is on this machine (not tidied).
std::string DestinationOnThisMachine(bool useDefault, std::string_view prefix,
                                     std::string_view company, std::string_view name,
                                     std::string_view base);
// Sets the project's "DefaultDestPrefix" and `Destination` from
// "UseDefaultDest", "DefaultDestPrefix", "DefaultDestBase", the company and
// the application name.
void ApplyDestination(WProjectData& project);
// The project's destination folder on this machine, tidied.
std::string DestinationOnThisMachine(const WProjectData& project);
// Repeated backslashes made single ("C:\\Apps\\\x" -> "C:\Apps\x").
std::string TidyPath(std::string path);

// --- Application information, in the order the page checks them. Each
// refuses an empty value and one longer than the limits above.

// Neither a comma nor a line break, which would split the component line.
std::string CheckApplicationName(std::string_view name);
std::string CheckCompanyName(std::string_view company);
// The folder on this machine: not empty, none of the characters a company
// name cannot hold, and no second colon.
std::string CheckDefaultDirectory(std::string_view directory);
std::string CheckVersion(std::string_view version);
// Without the default destination the typed folder names one below the base:
// empty (or only blanks and backslashes) would install into the base itself.
std::string CheckDestinationFolder(bool useDefault, std::string_view folder);
// A warning only: a typed folder with two backslashes in a row or a
// leading one.
std::string CheckTargetFolder(std::string_view folder);

// --- Setup options.

// The framework runs on the runtime, so it brings the runtime along.
bool RuntimeRequired(int framework);
// The database engine is installed while the runtime is, or while an SQL
// Links driver is selected.
bool DatabaseRequired(int runtime, bool sqlLinks);
// Any of the seven SQL Links drivers is selected.
bool AnySqlLinksSelected(const WProjectData& project);
// The row of the default language stays selected.
bool LanguageRowLocked(std::string_view code, std::string_view defaultLanguage);
// The component choice against the two rules above.
std::string CheckComponents(int framework, int runtime, int database, bool sqlLinks);
// A default language that is set must be one of the selected languages.
std::string CheckDefaultLanguage(std::string_view defaultLanguage,
                                 const std::vector<std::string>& languages);
// Proofreading tools installed without a language.
std::string CheckWritingToolLanguages(int tools, int runtime, size_t languageCount);

// --- Setup background.

std::string CheckBackgroundTitle(std::string_view title);
// An empty font: the message says that kDefaultTitleFont is used.
std::string CheckBackgroundFont(std::string_view font);
// A whole number from kMinTitleFontHeight to kMaxTitleFontHeight.
std::string CheckBackgroundFontSize(std::string_view size);
// The title a project shows when it has none: the application name and
// " Setup".
std::string BackgroundTitleOf(const WProjectData& project);

// --- The whole project.

// Every refusing rule above applied to the project's values, in page order
// (application information, setup options, background); empty when the
// project passes them all. Warnings (CheckTargetFolder) are not included.
std::vector<std::string> ProjectProblems(const WProjectData& project);

}  // namespace vantrel
