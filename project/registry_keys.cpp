#include "project/registry_keys.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/strings.h"
#include "platform/system_folders.h"
#include "project/bde_rules.h"
#include "project/engine_limits.h"
#include "project/project_data.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

constexpr const char* kEditorName = "regedit.exe";

std::string& LastKeyTyped() {
    static std::string key;
    return key;
}

// The root key chosen at the last successful Apply, proposed with the key.
std::string& LastRootTyped() {
    static std::string root;
    return root;
}

template <size_t N>
int PositionOf(const std::array<const char*, N>& list, std::string_view text) {
    for (size_t i = 0; i < N; ++i) {
        if (text == list[i])
            return static_cast<int>(i);
    }
    return 0;
}

std::string WithArgument(const char* message, std::string_view argument) {
    return ReplaceAll(message, "%1", argument);
}

// Whether `component` takes part in the setup: "Program_files" always, any
// other component while it is selected.
bool InSetup(const WSetupComponent& component) {
    return component.IsSelected() ||
           EqualsNoCase(component.GetName(), WSetupComponent::kProgramFilesName);
}

// The short names that registry tools accept for the root keys.
struct RootAlias {
    const char* alias;
    const char* root;
};
constexpr RootAlias kRootAliases[] = {{"HKCR", "HKEY_CLASSES_ROOT"},
                                      {"HKCU", "HKEY_CURRENT_USER"},
                                      {"HKLM", "HKEY_LOCAL_MACHINE"},
                                      {"HKU", "HKEY_USERS"},
                                      {"HKCC", "HKEY_CURRENT_CONFIG"}};

// Entries compare by their records without the first field (the name of
// the component that holds them), read back first: the dialog stores four
// systems, a record read from a file has them padded to five.
std::string ComparableRecord(const WSetupElement& entry) {
    const WSetupRegEntry read(entry.WriteRecord(), false);
    return WSetupElementMap::KeyOf(read.WriteRecord());
}

}  // namespace

const std::array<const char*, 6>& RegistryRootKeys() {
    static const std::array<const char*, 6> keys = {"HKEY_CLASSES_ROOT",   "HKEY_CURRENT_USER",
                                                    "HKEY_LOCAL_MACHINE",  "HKEY_USERS",
                                                    "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};
    return keys;
}

const std::array<const char*, 3>& RegistryValueTypes() {
    static const std::array<const char*, 3> types = {"String", "Number", "Binary Data"};
    return types;
}

bool SplitRegistryPath(std::string_view path, int& root, std::string& key) {
    const size_t sep = path.find('\\');
    std::string first(path.substr(0, sep));
    for (const RootAlias& a : kRootAliases) {
        if (EqualsNoCase(first, a.alias))
            first = a.root;
    }
    root = -1;
    for (size_t i = 0; i < RegistryRootKeys().size(); ++i) {
        if (EqualsNoCase(first, RegistryRootKeys()[i]))
            root = static_cast<int>(i);
    }
    key = sep == std::string_view::npos ? std::string() : std::string(path.substr(sep + 1));
    while (!key.empty() && key.back() == '\\')
        key.pop_back();
    return root >= 0;
}

std::string DescribeRegistryEntry(const WSetupRegEntry& entry) {
    static constexpr const char* kSystems[] = {"Windows 95", "Windows NT 4", "Windows 98",
                                               "Windows 2000"};
    std::string line = entry.GetRootKey();
    if (!entry.GetKeyPath().empty())
        line += "\\" + entry.GetKeyPath();
    line += "  " + (entry.GetValueName().empty() ? std::string("(default)")
                                                 : ExpandFolderMacros(entry.GetValueName()));
    line += " = " + Quoted(ExpandFolderMacros(entry.GetValueData())) + "  " + entry.GetValueType();
    if (!entry.GetUninstall())
        line += ", kept at uninstallation";
    const std::string& mask = entry.GetOsMask();
    std::vector<std::string> systems;
    for (size_t i = 0; i < 4; ++i) {
        if (i >= mask.size() || mask[i] == '1')
            systems.push_back(kSystems[i]);
    }
    if (systems.size() < 4)
        line += ", only " + (systems.empty() ? std::string("no system") : Join(systems, ", "));
    return line;
}

std::unique_ptr<WSetupRegEntry> NewRegistryEntry() {
    auto entry = std::make_unique<WSetupRegEntry>();
    entry->SetRemoveSubkeys(1);
    entry->SetRestorePrevious(0);
    entry->SetSelectMask(std::string(WSetupElement::kSelectMaskLength, '1'));
    entry->SetUninstall(1);
    return entry;
}

std::vector<WSetupRegEntry*> RegistryEntries(const WProjectData& project) {
    std::vector<WSetupRegEntry*> entries;
    if (const WSetupComponent* files = project.ProgramFilesComponent()) {
        for (const auto& e : files->Elements(kElementRegistryKeys))
            entries.push_back(static_cast<WSetupRegEntry*>(e.get()));
    }
    return entries;
}

WSetupRegEntry* AddRegistryEntry(WProjectData& project, std::unique_ptr<WSetupRegEntry> entry,
                                 std::string& error) {
    error.clear();
    WSetupComponent* files = project.ProgramFilesComponent();
    WCreatorManager* manager = project.Components();
    if (!files || !manager || !entry)
        return nullptr;
    const std::string record = entry->WriteRecord();
    error = CheckChangedRegistryEntry(project, nullptr, *entry);
    if (!error.empty())
        return nullptr;
    auto* added = static_cast<WSetupRegEntry*>(files->AddElement(std::move(entry)));
    if (added && !manager->ElementMap().Find(record, kElementRegistryKeys))
        manager->ElementMap().Add(record, kElementRegistryKeys, added);
    return added;
}

std::string CheckChangedRegistryEntry(const WProjectData& project, const WSetupRegEntry* entry,
                                      const WSetupRegEntry& changed) {
    const WCreatorManager* manager = project.Components();
    if (!manager)
        return {};
    const std::string key = ComparableRecord(changed);
    for (const WSetupComponent* c : manager->Components()) {
        if (!InSetup(*c))
            continue;
        for (const auto& e : c->Elements(kElementRegistryKeys)) {
            if (e.get() != entry && ComparableRecord(*e) == key)
                return kDuplicateEntryMessage;
        }
    }
    return {};
}

bool RemoveRegistryEntry(WProjectData& project, const WSetupRegEntry* entry) {
    WSetupComponent* files = project.ProgramFilesComponent();
    return files && entry && files->TakeElement(entry) != nullptr;
}

void RegistryEntryChanged(WProjectData& project) {
    // The map of records seen keys the entry by its old record.
    if (WCreatorManager* manager = project.Components())
        manager->ElementsRemoved();
}

std::string RegistryEditorPath() {
    const std::string windows = TheSystemFolders().WindowsFolder();
    const std::string native = JoinPath(windows, kEditorName);
    if (IsFolder(windows))
        return ResolveNoCase(native);
    std::string prefix;
    if (const char* env = std::getenv("WINEPREFIX"); env && *env)
        prefix = env;
    else if (const std::string home = UserHomeFolder(); !home.empty())
        prefix = JoinPath(home, ".wine");
    std::string inPrefix;
    if (!prefix.empty() &&
        FromNative(std::filesystem::path(prefix) / "drive_c" / "windows", inPrefix) &&
        IsFolder(inPrefix))
        return ResolveNoCase(JoinPath(inPrefix, kEditorName));
    return native;
}

bool MergeRegFile(const std::string& path, std::string* why) {
    const std::string editor = RegistryEditorPath();
    std::string cannot = WhyProgramCannotStart(editor);
    if (cannot.empty() && !RunAndWaitArgs(editor, {"/S", DisplayPath(path)}))
        cannot = kEditorNotLaunchedMessage;
    if (why)
        *why = cannot;
    return cannot.empty();
}

// --- The key dialog.

WRegistryKeyProperties WRegistryKeyProperties::Load(const WSetupRegEntry& entry) {
    WRegistryKeyProperties p;
    const std::string& mask = entry.GetOsMask();
    for (size_t i = 0; i < p.systems.size(); ++i)
        p.systems[i] = i < mask.size() && mask[i] == '1';
    // A new entry proposes the key typed last under the root it was typed for.
    const bool proposed = entry.GetKeyPath().empty() && entry.GetRootKey().empty();
    p.rootKey = PositionOf(RegistryRootKeys(),
                           proposed ? std::string_view(LastRootTyped()) : entry.GetRootKey());
    p.type = PositionOf(RegistryValueTypes(), entry.GetValueType());
    p.key = entry.GetKeyPath().empty() ? LastKeyTyped() : entry.GetKeyPath();
    p.name = ExpandFolderMacros(entry.GetValueName());
    p.value = ExpandFolderMacros(entry.GetValueData());
    return p;
}

std::string WRegistryKeyProperties::RootKeyText() const {
    return rootKey >= 0 && rootKey < static_cast<int>(RegistryRootKeys().size())
               ? RegistryRootKeys()[rootKey]
               : RegistryRootKeys()[0];
}

std::string WRegistryKeyProperties::TypeText() const {
    return type >= 0 && type < static_cast<int>(RegistryValueTypes().size())
               ? RegistryValueTypes()[type]
               : RegistryValueTypes()[0];
}

std::string WRegistryKeyProperties::Check() const {
    if (key.empty()) {
        if (!value.empty())
            return WithArgument(kValueForRootKeyMessage, RootKeyText());
        if (name.empty())
            return WithArgument(kOnlyRootKeyMessage, RootKeyText());
    }
    if (!WSetupElement::IsValidFieldText(key))
        return WithArgument(kUnstorableFieldMessage, "key");
    bool anySystem = false;
    for (bool on : systems)
        anySystem = anySystem || on;
    if (!anySystem)
        return kNoTargetSystemMessage;
    if (name.find('*') != std::string::npos)
        return kWildcardNameMessage;
    if (!WSetupElement::IsValidFieldText(CompressFolderMacros(name)))
        return WithArgument(kUnstorableFieldMessage, "name");
    if (!WSetupElement::IsValidFieldText(CompressFolderMacros(value)))
        return WithArgument(kUnstorableFieldMessage, "value");
    // A key alone (no name, no value) holds no number.
    if (type == kNumberType && !(name.empty() && value.empty()) && !IsDwordText(value))
        return kNumberValueMessage;
    return {};
}

bool IsDwordText(std::string_view text) {
    constexpr uint64_t kMax = 0xFFFFFFFFu;
    uint64_t n = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string_view digits = text.substr(2);
        if (digits.size() > 8)
            return false;
        for (char c : digits) {
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return false;
        }
        return true;
    }
    // Decimal without a leading zero: the setup engine would read "010" as octal.
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    return n <= kMax;
}

std::string WRegistryKeyProperties::Apply(WSetupRegEntry& entry, bool rememberKey) const {
    if (std::string refused = Check(); !refused.empty())
        return refused;
    // The entry's line in the component script must stay readable whole.
    WSetupRegEntry trial(entry);
    Store(trial);
    const size_t length = RecordLineLength(WSetupComponent::kProgramFilesName, trial);
    if (std::string why = LineLengthProblem(length); !why.empty())
        return "The entry is too long: its line in the setup script " + why + ".";
    Store(entry);
    if (rememberKey) {
        LastKeyTyped() = key;
        LastRootTyped() = RootKeyText();
    }
    return {};
}

void WRegistryKeyProperties::Store(WSetupRegEntry& entry) const {
    std::string mask;
    for (bool on : systems)
        mask += on ? '1' : '0';
    entry.SetOsMask(mask);
    entry.SetKeyPath(key);
    entry.SetValueName(CompressFolderMacros(name));
    entry.SetValueData(CompressFolderMacros(value));
    entry.SetValueType(TypeText());
    entry.SetRootKey(RootKeyText());
}

const std::string& WRegistryKeyProperties::LastKey() {
    return LastKeyTyped();
}

void WRegistryKeyProperties::ForgetLastKey() {
    LastKeyTyped().clear();
    LastRootTyped().clear();
}

}  // namespace vantrel
