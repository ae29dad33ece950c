#include "project/shortcut_rules.h"

#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_rules.h"
#include "project/registry_keys.h"
#include "project/target_tree.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

constexpr const char* kProgramsMacro = "<O>";
constexpr const char* kRuntimeSourceName = "Programs";
constexpr const char* kRuntimeTargetDir = "<SF>";
constexpr const char* kGroupForbidden = "/*?\"<>|,:";

// Whether `component` takes part in the setup: "Program_files" always, any
// other component while it is selected.
bool InSetup(const WSetupComponent& component) {
    return component.IsSelected() ||
           EqualsNoCase(component.GetName(), WSetupComponent::kProgramFilesName);
}

WSetupComponent* RuntimeComponentOf(const WProjectData& project) {
    const WCreatorManager* manager = project.Components();
    return manager ? manager->Find(kRuntimeComponentName) : nullptr;
}

std::string ShortMacro(const char* longMacro) {
    return CompressFolderMacros(longMacro);
}

// Whether `folder` is `base` or lies below it, without regard to case.
bool IsFolderOrBelow(std::string_view folder, std::string_view base) {
    return EqualsNoCase(folder, base) ||
           (folder.size() > base.size() && StartsWithNoCase(folder, base) &&
            folder[base.size()] == '\\');
}

std::string Unstorable(const char* field) {
    return ReplaceAll(kUnstorableFieldMessage, "%1", field);
}

}  // namespace

// --- The group name.

std::string CheckGroupName(std::string_view name) {
    if (name.empty())
        return kEnterGroupNameMessage;
    if (name.find_first_of(kGroupForbidden) != std::string_view::npos)
        return kGroupNameCharactersMessage;
    if (!WSetupElement::IsValidFieldText(name))
        return Unstorable("group name");
    return {};
}

std::string GroupFolder(std::string_view group) {
    std::string tidy = TidyPath(std::string(group));
    while (!tidy.empty() && tidy.front() == '\\')
        tidy.erase(tidy.begin());
    while (!tidy.empty() && tidy.back() == '\\')
        tidy.pop_back();
    return tidy.empty() ? std::string(kProgramsMacro) : std::string(kProgramsMacro) + "\\" + tidy;
}

bool SetShortcutGroup(WProjectData& project, std::string_view group, bool settled) {
    const std::string from = GroupFolder(project.ShortcutFolder);
    const std::string to = GroupFolder(group);
    project.ShortcutFolder = std::string(group);
    if (settled)
        project.ShortcutFolderSet = 1;
    if (EqualsNoCase(from, kProgramsMacro) || from == to)
        return false;
    bool moved = false;
    for (WSetupShortcut* s : ListedShortcuts(project)) {
        const std::string& folder = s->GetShortcutFolder();
        if (IsFolderOrBelow(folder, from)) {
            s->SetShortcutFolder(to + folder.substr(from.size()));
            moved = true;
        }
    }
    if (moved)
        ShortcutChanged(project);
    return moved;
}

// --- The lists.

std::string ShortcutEntryText(const WSetupShortcut& shortcut) {
    return ExpandFolderMacros(shortcut.GetShortcutFolder()) + "\\" + shortcut.GetShortcutName();
}

std::string ApplicationFileText(const WSetupElement& file) {
    return ExpandFolderMacros(file.GetTargetDir()) + "\\" + file.GetTargetName();
}

std::string DescribeShortcut(const WSetupShortcut& shortcut) {
    std::string line = ShortcutEntryText(shortcut) + "  ->  " +
                       ExpandFolderMacros(JoinPath(shortcut.GetTargetDir(),
                                                   ExpandStringRefs(shortcut.GetTargetName())));
    if (!shortcut.GetArguments().empty())
        line += " " + ExpandFolderMacros(shortcut.GetArguments());
    if (IsRuntimeShortcut(shortcut))
        line += std::string("  (") + kRuntimeComponentName + ")";
    return line;
}

std::vector<WSetupElement*> ShortcutFiles(WProjectData& project) {
    std::vector<WSetupElement*> files;
    const WSetupComponent* program = project.ProgramFilesComponent();
    if (!program)
        return files;
    const WTargetTree tree(project);
    for (const auto& e : program->Elements(kElementFile)) {
        if (tree.NodeOf(e.get()))
            files.push_back(e.get());
    }
    return files;
}

bool IsRuntimeShortcut(const WSetupShortcut& shortcut) {
    return shortcut.GetTargetName() == kRuntimeShortcutName;
}

std::vector<WSetupShortcut*> ListedShortcuts(const WProjectData& project) {
    std::vector<WSetupShortcut*> list;
    if (const WSetupComponent* program = project.ProgramFilesComponent()) {
        for (const auto& e : program->Elements(kElementShortcut))
            list.push_back(static_cast<WSetupShortcut*>(e.get()));
    }
    if (const WSetupComponent* runtime = RuntimeComponentOf(project)) {
        for (const auto& e : runtime->Elements(kElementShortcut)) {
            auto* s = static_cast<WSetupShortcut*>(e.get());
            if (!IsRuntimeShortcut(*s))
                continue;
            bool listed = false;
            for (const WSetupShortcut* other : list)
                listed = listed || other->GetTargetName() == s->GetTargetName();
            if (!listed)
                list.push_back(s);
        }
    }
    return list;
}

WSetupShortcut* RuntimeShortcut(const WProjectData& project) {
    if (const WSetupComponent* runtime = RuntimeComponentOf(project)) {
        for (const auto& e : runtime->Elements(kElementShortcut)) {
            auto* s = static_cast<WSetupShortcut*>(e.get());
            if (IsRuntimeShortcut(*s))
                return s;
        }
    }
    return nullptr;
}

bool HasShortcutTo(const WProjectData& project, const WSetupElement& file) {
    for (const WSetupShortcut* s : ListedShortcuts(project)) {
        if (EqualsNoCase(s->GetTargetDir(), file.GetTargetDir()) &&
            EqualsNoCase(s->GetTargetName(), file.GetTargetName()))
            return true;
    }
    return false;
}

const char* ComponentForShortcut(const WSetupShortcut& shortcut) {
    return IsRuntimeShortcut(shortcut) && shortcut.GetSourceName() == kRuntimeSourceName
               ? kRuntimeComponentName
               : WSetupComponent::kProgramFilesName;
}

// --- New shortcuts.

std::unique_ptr<WSetupShortcut> NewShortcut(const WSetupElement& file, std::string_view group) {
    auto s = std::make_unique<WSetupShortcut>();
    s->SetSourceName(file.GetSourceName());
    s->SetSourceDir(file.GetSourceDir());
    s->SetTargetDir(file.GetTargetDir());
    s->SetTargetName(file.GetTargetName());
    s->SetShortcutName(kShortcutNamePrefix + FileNameOf(file.GetTargetName()));
    s->SetShortcutFolder(GroupFolder(group));
    s->SetOsMask(std::string(WSetupElement::kOsMaskLength, '1'));
    s->SetSelectMask(std::string(WSetupElement::kSelectMaskLength, '1'));
    return s;
}

std::unique_ptr<WSetupShortcut> NewRuntimeShortcut(std::string_view group) {
    auto s = std::make_unique<WSetupShortcut>();
    s->SetSourceName(kRuntimeSourceName);
    s->SetTargetName(kRuntimeShortcutName);
    s->SetTargetDir(kRuntimeTargetDir);
    s->SetShortcutName(kRuntimeShortcutName);
    s->SetShortcutFolder(GroupFolder(group));
    s->SetOsMask(std::string(WSetupElement::kOsMaskLength, '1'));
    s->SetSelectMask(std::string(WSetupElement::kSelectMaskLength, '1'));
    return s;
}

// --- Actions.

WSetupShortcut* AddShortcut(WProjectData& project, std::unique_ptr<WSetupShortcut> shortcut,
                            std::string& error) {
    error.clear();
    WCreatorManager* manager = project.Components();
    if (!manager || !shortcut)
        return nullptr;
    WSetupComponent* owner = manager->Find(ComponentForShortcut(*shortcut));
    if (!owner) {
        error = kRuntimeComponentMissingMessage;
        return nullptr;
    }
    error = CheckNewShortcut(project, *shortcut);
    if (!error.empty())
        return nullptr;
    const std::string record = shortcut->WriteRecord();
    auto* added = static_cast<WSetupShortcut*>(owner->AddElement(std::move(shortcut)));
    if (added && !manager->ElementMap().Find(record, kElementShortcut))
        manager->ElementMap().Add(record, kElementShortcut, added);
    return added;
}

WSetupShortcut* AddRuntimeShortcut(WProjectData& project, std::string& error,
                                   std::string_view group) {
    error.clear();
    if (!project.RuntimeComponent) {
        error = kRuntimeShortcutNeedsRuntimeMessage;
        return nullptr;
    }
    if (!RuntimeComponentOf(project)) {
        error = kRuntimeComponentMissingMessage;
        return nullptr;
    }
    auto shortcut = NewRuntimeShortcut(group.empty() ? project.ShortcutFolder : group);
    for (const WSetupShortcut* s : ListedShortcuts(project)) {
        if (s->GetTargetName() == shortcut->GetTargetName()) {
            error = kShortcutExistsMessage;
            return nullptr;
        }
    }
    return AddShortcut(project, std::move(shortcut), error);
}

bool RemoveShortcut(WProjectData& project, const WSetupShortcut* shortcut) {
    bool removed = false;
    for (WSetupComponent* c : {project.ProgramFilesComponent(), RuntimeComponentOf(project)}) {
        if (c && shortcut && c->TakeElement(shortcut))
            removed = true;
    }
    return removed;
}

std::string CheckNewShortcut(const WProjectData& project, const WSetupShortcut& shortcut) {
    const WCreatorManager* manager = project.Components();
    if (!manager)
        return {};
    if (std::string refused = CheckChangedShortcut(project, nullptr, shortcut); !refused.empty())
        return refused;
    const WSetupComponent* owner = manager->Find(ComponentForShortcut(shortcut));
    const std::string key = WSetupElementMap::KeyOf(shortcut.WriteRecord());
    for (const WSetupComponent* c : manager->Components()) {
        if (!InSetup(*c) && c != owner)
            continue;
        for (const auto& e : c->Elements(kElementShortcut)) {
            if (WSetupElementMap::KeyOf(e->WriteRecord()) == key)
                return kShortcutExistsMessage;
        }
    }
    return {};
}

std::string CheckChangedShortcut(const WProjectData& project, const WSetupShortcut* shortcut,
                                 const WSetupShortcut& changed) {
    const std::string text = ShortcutEntryText(changed);
    for (const WSetupShortcut* s : ListedShortcuts(project)) {
        if (s != shortcut && ShortcutEntryText(*s) == text)
            return kShortcutExistsMessage;
    }
    return {};
}

std::string CheckChangedShortcut(const WProjectData& project, const WSetupShortcut& shortcut) {
    return CheckChangedShortcut(project, &shortcut, shortcut);
}

void ShortcutChanged(WProjectData& project) {
    // The map of records seen keys the shortcut by its old record.
    if (WCreatorManager* manager = project.Components())
        manager->ElementsRemoved();
}

bool DropRuntimeShortcutWithoutRuntime(WProjectData& project) {
    if (project.RuntimeComponent)
        return false;
    bool removed = false;
    while (WSetupShortcut* s = RuntimeShortcut(project))
        removed = RemoveShortcut(project, s) || removed;
    return removed;
}

// --- The dialog.

const std::array<const char*, 4>& WShortcutProperties::FolderChoices() {
    static const std::array<const char*, 4> choices = {"<Desktop Folder>", "<Start Menu Folder>",
                                                       "<Start Menu Programs Folder>",
                                                       "<Startup Folder>"};
    return choices;
}

void WShortcutProperties::SplitFolder(std::string_view folder, int& choice,
                                      std::string& additional) {
    const std::string shortForm = CompressFolderMacros(folder);
    choice = -1;
    additional = ExpandFolderMacros(shortForm);
    for (size_t i = 0; i < FolderChoices().size(); ++i) {
        const std::string macro = ShortMacro(FolderChoices()[i]);
        if (IsFolderOrBelow(shortForm, macro)) {
            choice = static_cast<int>(i);
            additional = shortForm.size() > macro.size() + 1
                             ? ExpandFolderMacros(shortForm.substr(macro.size() + 1))
                             : std::string();
            return;
        }
    }
}

WShortcutProperties WShortcutProperties::Load(const WSetupShortcut& shortcut) {
    WShortcutProperties p;
    // Where the set installs the file it starts; a shortcut without a target
    // folder shows its source.
    const std::string& dir =
        shortcut.GetTargetDir().empty() ? shortcut.GetSourceDir() : shortcut.GetTargetDir();
    p.target = ExpandFolderMacros(dir) + "\\" + shortcut.GetTargetName();
    SplitFolder(shortcut.GetShortcutFolder(), p.folder, p.additional);
    p.name = shortcut.GetShortcutName();
    p.parameters = ExpandFolderMacros(shortcut.GetArguments());
    return p;
}

std::string WShortcutProperties::Check() const {
    if (name.empty())
        return kShortcutNameMissingMessage;
    if (!WSetupElement::IsValidFieldText(name))
        return Unstorable("name");
    if (!WSetupElement::IsValidFieldText(additional))
        return Unstorable("folder");
    if (!WSetupElement::IsValidFieldText(parameters))
        return Unstorable("parameters");
    return {};
}

std::string WShortcutProperties::Folder() const {
    const std::string more = TidyPath(CompressFolderMacros(additional));
    if (folder < 0 || folder >= static_cast<int>(FolderChoices().size()))
        return more;
    const std::string base = ShortMacro(FolderChoices()[folder]);
    return more.empty() ? base : base + (more.front() == '\\' ? "" : "\\") + more;
}

std::string WShortcutProperties::Apply(WSetupShortcut& shortcut) const {
    if (std::string refused = Check(); !refused.empty())
        return refused;
    shortcut.SetShortcutName(name);
    shortcut.SetArguments(CompressFolderMacros(parameters));
    shortcut.SetShortcutFolder(Folder());
    return {};
}

}  // namespace vantrel
