// The registry entries of a project: the values and keys that the setup
// writes on the target machine, held as WSetupRegEntry elements of the
// "Program_files" component. The registry keys page, its key dialog and the
// command line all go through these rules; the callers only show them.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_reg_entry.h"

namespace vantrel {

class WProjectData;

inline constexpr const char* kRegistryKeyDialogTitle = "Registry Key Properties";
inline constexpr const char* kRegistryPageTitle = "Registry Settings";
// %1: the chosen root key.
inline constexpr const char* kValueForRootKeyMessage =
    "You shouldn't be assigning a value to the RootKey %1";
inline constexpr const char* kOnlyRootKeyMessage =
    "You have selected only the RootKey %1.  You should specify a Key or Name, and a Value.";
inline constexpr const char* kNoTargetSystemMessage =
    "You have not specified any target Operating Systems.";
inline constexpr const char* kWildcardNameMessage =
    "A value name cannot contain \"*\". Please enter the name without it.";
// A record field holds no comma and no line break; %1 names the field.
inline constexpr const char* kUnstorableFieldMessage =
    "The %1 cannot contain a comma or a line break.";
inline constexpr const char* kSelectForModifyMessage =
    "You have not selected a Reg Entry for modification.";
inline constexpr const char* kSelectForDeleteMessage = "Please select a registry key for deletion";
// %1: the entry as DescribeRegistryEntry gives it.
inline constexpr const char* kDeleteEntryQuestion =
    "Are you sure you want to delete this registry entry?\n\n%1";
inline constexpr const char* kEditorNotLaunchedMessage =
    "The Registry editor could not be launched.";
inline constexpr const char* kNumberValueMessage =
    "A Number value must be a whole number from 0 to 4294967295, or 0x and up to eight hex "
    "digits (0x0 to 0xFFFFFFFF).";
inline constexpr const char* kDuplicateEntryMessage =
    "The setup already writes this registry entry.";

// The position of "Number" in RegistryValueTypes().
inline constexpr int kNumberType = 1;
// Whether `text` is a value a DWORD holds as the setup engine reads it:
// decimal without a leading zero, or "0x" and one to eight hex digits;
// 0 to 4294967295.
bool IsDwordText(std::string_view text);

// The root keys offered, in the order shown.
const std::array<const char*, 6>& RegistryRootKeys();
// The data types the dialog stores, in the order shown.
const std::array<const char*, 3>& RegistryValueTypes();

// Splits "HKEY_LOCAL_MACHINE\Software\X" into the position of its root key
// in RegistryRootKeys() and the key below it (a trailing "\" dropped). The
// short names HKCR, HKCU, HKLM, HKU and HKCC stand for their root keys.
// False when the path does not start with a root key.
bool SplitRegistryPath(std::string_view path, int& root, std::string& key);

// One line for a person: the full key, the value name ("(default)" for the
// key's default value), the value in long macro form, the type, and what
// differs from a new entry (kept at uninstallation, fewer systems).
std::string DescribeRegistryEntry(const WSetupRegEntry& entry);

// A new entry as the page prepares it before the dialog opens: RemoveSubkeys
// 1, RestorePrevious 0, SelectMask 32 '1', Uninstall 1.
std::unique_ptr<WSetupRegEntry> NewRegistryEntry();

// The registry entries of the project's "Program_files", in order.
std::vector<WSetupRegEntry*> RegistryEntries(const WProjectData& project);
// Gives `entry` to "Program_files" unless the setup writes an entry with the
// same record already (in any component, the owning component aside): then
// nothing is added, `entry` is dropped and the result is null with `error`
// set to kDuplicateEntryMessage.
WSetupRegEntry* AddRegistryEntry(WProjectData& project, std::unique_ptr<WSetupRegEntry> entry,
                                 std::string& error);
// The same test for `changed`, the values that Modify would give `entry`
// (null for a new entry): kDuplicateEntryMessage when an entry other than
// `entry` writes the same record, else "".
std::string CheckChangedRegistryEntry(const WProjectData& project, const WSetupRegEntry* entry,
                                      const WSetupRegEntry& changed);
// Removes `entry` from "Program_files"; false when it is not there.
bool RemoveRegistryEntry(WProjectData& project, const WSetupRegEntry* entry);
// Tells the project that an entry of it was changed in place, so that later
// additions compare with what it holds now.
void RegistryEntryChanged(WProjectData& project);

// The registry editor this machine would start: "regedit.exe" in the Windows
// folder; when that folder is not on this host (the default Windows folder on
// Linux), the editor in the Windows folder of wine's prefix ($WINEPREFIX,
// else ~/.wine).
std::string RegistryEditorPath();

// Merges the registry file `path` into the registry silently: the registry
// editor (RegistryEditorPath) runs as "regedit.exe /S PATH" and is waited
// for. True when it started; otherwise false with `why` saying why it cannot
// run (no editor, no wine for it, ...). This host has no short (8.3) names,
// so the path goes as it is given.
bool MergeRegFile(const std::string& path, std::string* why = nullptr);

// What the key dialog shows and edits for one entry.
class WRegistryKeyProperties {
  public:
    // The values of `entry`: the root key's and the type's positions (0 when
    // unknown; a new entry, without root and key, gets the root key of the
    // last Apply), the key or, when it has none, the key typed last, name and
    // value in long folder-macro form, and the first four OsMask positions.
    static WRegistryKeyProperties Load(const WSetupRegEntry& entry);

    int rootKey = 0;  // position in RegistryRootKeys()
    std::string key;
    std::string name;   // long macro form
    std::string value;  // long macro form
    int type = 0;       // position in RegistryValueTypes()
    // Windows 95, Windows NT 4, Windows 98, Windows 2000: OsMask positions 1 to 4.
    std::array<bool, 4> systems = {true, true, true, true};

    std::string RootKeyText() const;
    std::string TypeText() const;

    // "" when OK may store the values, else the message to show.
    std::string Check() const;
    // Check, then stores the values into `entry` (OsMask becomes the four
    // positions, name and value get their short macro forms; refused when
    // the entry's script line would be too long for the setup engine, see
    // project/engine_limits.h) and remembers
    // the key for the next entry (unless `rememberKey` is false: the values
    // did not come from the dialog). "" on success; nothing changes otherwise.
    std::string Apply(WSetupRegEntry& entry, bool rememberKey = true) const;

    // The key typed at the last successful Apply of this program run.
    static const std::string& LastKey();
    static void ForgetLastKey();

  private:
    void Store(WSetupRegEntry& entry) const;
};

}  // namespace vantrel
