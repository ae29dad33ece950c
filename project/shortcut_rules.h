// The shortcuts of a project: the links that the setup makes in a Start-menu
// folder (the "group") for the application's files, held as WSetupShortcut
// elements. Ordinary shortcuts live in "Program_files"; the one that starts
// the runtime itself lives in the runtime's component "TY9Run_Program". The
// shortcuts page, its shortcut dialog and the command line all go through
// these rules; the callers only show what they answer.
//
// The group name is the project's "ShortcutFolder" (the "BOXID" key of the
// project file). The "Product" section keeps the application name under its
// own "ShortcutFolder" key, so the group never renames the application. The
// group reaches the setup through the shortcuts' records: a new shortcut is
// made in "<O>\" + group, and a new group name moves the shortcuts that are
// in the old group's folder.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_shortcut.h"

namespace vantrel {

class WProjectData;
class WSetupComponent;

inline constexpr const char* kShortcutsPageTitle = "Shortcuts and Shortcut Folder";
inline constexpr const char* kShortcutDialogTitle = "Shortcut Properties";
inline constexpr const char* kParametersLabel = "Command &Line Parameters";
inline constexpr const char* kShortcutNamePrefix = "Shortcut to ";

inline constexpr const char* kEnterGroupNameMessage =
    "Please enter a Shortcut folder name before continuing.";
inline constexpr const char* kGroupNameCharactersMessage =
    "A directory cannot contain any of the following characters:\n\t/ * ? \" < > | , :";
inline constexpr const char* kShortcutNameMissingMessage =
    "You must specify a name for your shortcut.";
inline constexpr const char* kSelectShortcutFileMessage = "You must select a file.";
inline constexpr const char* kShortcutExistsMessage = "Shortcut already exists.";
inline constexpr const char* kSelectShortcutToDeleteMessage =
    "You must select a shortcut to delete.";
inline constexpr const char* kSelectShortcutToModifyMessage =
    "You have not selected a shortcut to modify.";
// The caption of the refusal when a changed shortcut reads like another one.
inline constexpr const char* kShortcutExistsCaption = "Error";
inline constexpr const char* kRuntimeShortcutNeedsRuntimeMessage =
    "The runtime shortcut needs the Tessary 9 Runtime component.";
inline constexpr const char* kRuntimeComponentMissingMessage =
    "This installation has no Tessary 9 Runtime component (TY9Run_Program.kvz in Comps).";

// The runtime's shortcut: its name and TargetName, the component it lives in.
inline constexpr const char* kRuntimeShortcutName = "Tessary 9 Runtime";
inline constexpr const char* kRuntimeComponentName = "TY9Run_Program";

// --- The group name.

// "" when `name` can be the Start-menu group: not empty, and none of
// / * ? " < > | , : (a backslash makes subfolders).
std::string CheckGroupName(std::string_view name);
// The folder of a shortcut in the group, in short macro form: "<O>\" and the
// group with repeated, leading and trailing backslashes dropped.
std::string GroupFolder(std::string_view group);
// Makes `group` the project's "ShortcutFolder" (unchecked: the caller
// checked it, or stores a typed text as it stands) and moves the shortcuts
// that are in the old group's folder, or below it, into the new one. With
// `settled`, the name counts as chosen ("ShortcutFolderSet"), so that a new
// application name no longer renames the group. True when a shortcut moved.
bool SetShortcutGroup(WProjectData& project, std::string_view group, bool settled = true);

// --- The lists of the page.

// A shortcut as the page lists it: its folder in long macro form, "\" and
// its name.
std::string ShortcutEntryText(const WSetupShortcut& shortcut);
// An application file as the page lists it: its target folder in long
// macro form, "\" and its target name.
std::string ApplicationFileText(const WSetupElement& file);
// One line for a person: the entry text, the file the link starts with its
// parameters, and the component of the runtime's shortcut.
std::string DescribeShortcut(const WSetupShortcut& shortcut);

// The application files that can get a shortcut: the plain files of
// "Program_files" that have a place in the target tree, in project order.
std::vector<WSetupElement*> ShortcutFiles(WProjectData& project);
// The shortcuts of "Program_files", then the runtime's shortcut of
// "TY9Run_Program" (one; the first when a script holds several).
std::vector<WSetupShortcut*> ListedShortcuts(const WProjectData& project);
// Whether `shortcut` is the runtime's own: its TargetName is
// "Tessary 9 Runtime" (the link starts the runtime from its shared folder).
bool IsRuntimeShortcut(const WSetupShortcut& shortcut);
// The runtime's shortcut in "TY9Run_Program"; null when there is none.
WSetupShortcut* RuntimeShortcut(const WProjectData& project);
// Whether a listed shortcut starts `file` (same target folder and name,
// without regard to case).
bool HasShortcutTo(const WProjectData& project, const WSetupElement& file);
// The component a shortcut belongs in: "TY9Run_Program" for the runtime's
// shortcut made by Add Runtime Shortcut (TargetName "Tessary 9 Runtime",
// SourceName "Programs"), "Program_files" for every other.
const char* ComponentForShortcut(const WSetupShortcut& shortcut);

// --- New shortcuts.

// A shortcut to the application file `file`, prepared as the page does
// before the dialog opens: source and target of the file, name "Shortcut
// to " + the file's name, folder GroupFolder(group), every system and
// selection bit set.
std::unique_ptr<WSetupShortcut> NewShortcut(const WSetupElement& file, std::string_view group);
// The runtime's shortcut: name, TargetName "Tessary 9 Runtime", SourceName
// "Programs", TargetDir "<SF>" (the runtime's shared folder), in the group.
std::unique_ptr<WSetupShortcut> NewRuntimeShortcut(std::string_view group);

// --- The page's actions. Each answers the element it changed, or null with
// `error` set to the message to show; a refused shortcut is dropped.

// Gives `shortcut` to its component (ComponentForShortcut). Refused with
// kShortcutExistsMessage when a listed shortcut has the same entry text, or
// a component of the setup makes the same link already.
WSetupShortcut* AddShortcut(WProjectData& project, std::unique_ptr<WSetupShortcut> shortcut,
                            std::string& error);
// Add Runtime Shortcut, in the group `group` (empty: the project's):
// refused without the runtime component, and with kShortcutExistsMessage
// when the runtime's shortcut is listed already.
WSetupShortcut* AddRuntimeShortcut(WProjectData& project, std::string& error,
                                   std::string_view group = {});
// Takes `shortcut` out of "Program_files" and "TY9Run_Program"; false when
// neither holds it.
bool RemoveShortcut(WProjectData& project, const WSetupShortcut* shortcut);
// After `shortcut` was changed in place: "" when its entry text is still its
// own, else kShortcutExistsMessage (the caller then restores the shortcut).
std::string CheckChangedShortcut(const WProjectData& project, const WSetupShortcut& shortcut);
// The same for `changed`, the values Properties would give `shortcut`
// (which is not compared with itself).
std::string CheckChangedShortcut(const WProjectData& project, const WSetupShortcut* shortcut,
                                 const WSetupShortcut& changed);
// What AddShortcut refuses `shortcut` for, without adding it: "" or
// kShortcutExistsMessage.
std::string CheckNewShortcut(const WProjectData& project, const WSetupShortcut& shortcut);
// Tells the project that a shortcut was changed in place.
void ShortcutChanged(WProjectData& project);
// Without the runtime component ("RuntimeComponent" 0) the runtime's
// shortcut goes: true when one was removed.
bool DropRuntimeShortcutWithoutRuntime(WProjectData& project);

// What the shortcut dialog shows and edits for one shortcut.
class WShortcutProperties {
  public:
    // The dialog's folder list, in the order shown (long macros).
    static const std::array<const char*, 4>& FolderChoices();

    // The values of `shortcut`: the file it starts, its folder split into
    // the choice and the folders below it, name, parameters in long macro
    // form.
    static WShortcutProperties Load(const WSetupShortcut& shortcut);
    // Splits a folder (short or long macro form) into the position of its
    // leading choice (-1: none) and the rest in long macro form (the whole
    // folder when no choice leads it).
    static void SplitFolder(std::string_view folder, int& choice, std::string& additional);

    std::string target;      // for display
    int folder = -1;         // position in FolderChoices(); -1 none
    std::string additional;  // folders below the choice, long macro form
    std::string name;
    std::string parameters;  // long macro form

    // "" when OK may store the values, else the message to show.
    std::string Check() const;
    // The folder the values stand for, in short macro form: the choice, "\"
    // and the additional folders (repeated backslashes made single); the
    // additional folders alone when no choice is made.
    std::string Folder() const;
    // Check, then stores name, parameters (short macros) and folder into
    // `shortcut`. "" on success; nothing changes otherwise.
    std::string Apply(WSetupShortcut& shortcut) const;
};

}  // namespace vantrel
