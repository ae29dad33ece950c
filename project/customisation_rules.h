// The changes a setup makes to installed files: INI entries
// (WSetupProfileString) and text replacements (WSetupCustFile), held by the
// "Program_files" component. The customisation page, its two dialogs and the
// command line all go through these rules; the callers only show them.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_cust_file.h"
#include "elements/setup_profile_string.h"
#include "project/registry_keys.h"  // the messages shared with the key dialog

namespace vantrel {

class WProjectData;

inline constexpr const char* kCustomisationPageTitle = "Text File Customization";
inline constexpr const char* kSelectInstallFileMessage =
    "Please select a file from the install files list";
inline constexpr const char* kSelectIniEntryMessage =
    "Please select a file from the Files tagged for INI updates list";
inline constexpr const char* kSelectTextReplacementMessage =
    "Please select a file from the File Customization list";
inline constexpr const char* kEntryExistsMessage = "This entry already exists";
inline constexpr const char* kEntryExistsCaption = "Error";

// The texts a new entry starts with.
inline constexpr const char* kNewSearchText = "Find Text";
inline constexpr const char* kNewReplaceText = "<Target Folder>";
inline constexpr const char* kNewSection = "Section";
inline constexpr const char* kNewKey = "Key";
inline constexpr const char* kNewValue = "Value";

// Windows 95, Windows NT 4, Windows 98, Windows 2000: OsMask positions 1 to 4.
using TargetSystems = std::array<bool, 4>;
// The first four positions of `mask` ('1' ticks a system; a missing position does not).
TargetSystems SystemsOfMask(std::string_view mask);
// The four positions as '1'/'0'.
std::string MaskOfSystems(const TargetSystems& systems);
bool AnySystem(const TargetSystems& systems);

// kUnstorableFieldMessage naming `field` when `text` cannot be a record field
// as it stands (a comma or a line break would split or end the record), else "".
std::string UnstorableField(std::string_view field, std::string_view text);

// The installed files that can be changed: the file and font elements of
// "Program_files", in order.
std::vector<WSetupElement*> CustomisableFiles(const WProjectData& project);
// The file an element changes or installs, for a person: TargetDir in long
// folder-macro form, "\" and TargetName.
std::string TargetFileText(const WSetupElement& element);
// The customisable file that `text` names: its target path in long or short
// macro form ("<Target Folder>\app.ini", "/" as well as "\"), or its bare file
// name when exactly one file has it; compared without regard to case. Null
// with `error` set when no file or several files match.
const WSetupElement* FindCustomisableFile(const WProjectData& project, std::string_view text,
                                          std::string& error);

// New entries for `file`, as the page prepares them before the dialog opens:
// the file's TargetDir and TargetName, OsMask "11111", Uninstall 1, SelectMask
// 32 '1', AuxFlag 0, and the texts above; an INI entry also gets an empty
// PreviousValue and RestorePrevious 0.
std::unique_ptr<WSetupProfileString> NewIniEntry(const WSetupElement& file);
std::unique_ptr<WSetupCustFile> NewTextReplacement(const WSetupElement& file);

// The entries of "Program_files", in order.
std::vector<WSetupProfileString*> IniEntries(const WProjectData& project);
std::vector<WSetupCustFile*> TextReplacements(const WProjectData& project);

// Gives `entry` to "Program_files" unless an INI entry there already writes
// the same section and key of the same file (exact comparison), or a
// component of the project already holds an entry with the same record
// (reading the project back would merge the two): then nothing is added,
// the result is null and `error` is kEntryExistsMessage.
WSetupProfileString* AddIniEntry(WProjectData& project, std::unique_ptr<WSetupProfileString> entry,
                                 std::string& error);
// The same for a text replacement; the list's test compares the file, the
// search text and the replacement.
WSetupCustFile* AddTextReplacement(WProjectData& project, std::unique_ptr<WSetupCustFile> entry,
                                   std::string& error);
// The same tests for `changed`, the values that Modify would give `entry`
// (null for a new entry): kEntryExistsMessage when another entry than
// `entry` makes it a duplicate, else "".
std::string CheckChangedIniEntry(const WProjectData& project, const WSetupProfileString* entry,
                                 const WSetupProfileString& changed);
std::string CheckChangedTextReplacement(const WProjectData& project, const WSetupCustFile* entry,
                                        const WSetupCustFile& changed);
// Removes an entry of either kind from "Program_files"; false when it is not there.
bool RemoveCustomisation(WProjectData& project, const WSetupElement* entry);
// Tells the project that an entry was changed in place.
void CustomisationChanged(WProjectData& project);

// One line for a person: the file, then "[Section] Key=Value" or
// replace "search" with "replacement" (long macro form), and the systems
// when not all four.
std::string DescribeIniEntry(const WSetupProfileString& entry);
std::string DescribeTextReplacement(const WSetupCustFile& entry);

}  // namespace vantrel
