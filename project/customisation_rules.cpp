#include "project/customisation_rules.h"

#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

// Entries compare by their records without the first field (the owning
// component's name), read back first: the dialogs store four systems, a
// record read from a file has them padded to five.
std::string ComparableRecord(const WSetupElement& entry) {
    const std::unique_ptr<WSetupElement> read =
        CreateElement(entry.GetTypeCode(), entry.WriteRecord(), false);
    return WSetupElementMap::KeyOf(read ? read->WriteRecord() : entry.WriteRecord());
}

// Whether a component of the project holds an element of the entry's type
// with the entry's record, `except` aside. Reading a script keeps one element
// per record, so a second one would not come back from the saved project.
bool RecordHeld(const WProjectData& project, const WSetupElement& entry,
                const WSetupElement* except) {
    const WCreatorManager* manager = project.Components();
    if (!manager)
        return false;
    const std::string key = ComparableRecord(entry);
    for (const WSetupComponent* c : manager->Components()) {
        for (const auto& e : c->Elements(entry.GetTypeCode())) {
            if (e.get() != except && ComparableRecord(*e) == key)
                return true;
        }
    }
    return false;
}

void Prepare(WSetupElement& entry, const WSetupElement& file) {
    entry.SetTargetDir(file.GetTargetDir());
    entry.SetTargetName(file.GetTargetName());
    entry.SetOsMask("11111");
    entry.SetUninstall(1);
    entry.SetSelectMask(std::string(WSetupElement::kSelectMaskLength, '1'));
    entry.SetAuxFlag(0);
}

template <class Entry>
std::vector<Entry*> EntriesOf(const WProjectData& project, int typeCode) {
    std::vector<Entry*> entries;
    if (const WSetupComponent* files = project.ProgramFilesComponent()) {
        for (const auto& e : files->Elements(typeCode))
            entries.push_back(static_cast<Entry*>(e.get()));
    }
    return entries;
}

// kEntryExistsMessage when `same` finds a listed entry, `except` aside, that
// `entry` duplicates, or the project holds its record already; else "".
template <class Entry, class Same>
std::string Duplicate(const WProjectData& project, const Entry& entry, int typeCode, Same same,
                      const Entry* except) {
    for (const Entry* listed : EntriesOf<Entry>(project, typeCode)) {
        if (listed != except && same(*listed, entry))
            return kEntryExistsMessage;
    }
    return RecordHeld(project, entry, except) ? kEntryExistsMessage : std::string();
}

// Adds `entry` unless it is a Duplicate.
template <class Entry, class Same>
Entry* AddEntry(WProjectData& project, std::unique_ptr<Entry> entry, int typeCode, Same same,
                std::string& error) {
    error.clear();
    WSetupComponent* files = project.ProgramFilesComponent();
    WCreatorManager* manager = project.Components();
    if (!files || !manager || !entry)
        return nullptr;
    error = Duplicate<Entry>(project, *entry, typeCode, same, nullptr);
    if (!error.empty())
        return nullptr;
    const std::string record = entry->WriteRecord();
    auto* added = static_cast<Entry*>(files->AddElement(std::move(entry)));
    if (added && !manager->ElementMap().Find(record, typeCode))
        manager->ElementMap().Add(record, typeCode, added);
    return added;
}

bool SameFile(const WSetupElement& a, const WSetupElement& b) {
    return a.GetTargetDir() == b.GetTargetDir() && a.GetTargetName() == b.GetTargetName();
}

std::string SystemsNote(const std::string& mask) {
    static constexpr const char* kSystems[] = {"Windows 95", "Windows NT 4", "Windows 98",
                                               "Windows 2000"};
    const TargetSystems on = SystemsOfMask(mask + "1111");
    std::vector<std::string> names;
    for (size_t i = 0; i < on.size(); ++i) {
        if (on[i])
            names.push_back(kSystems[i]);
    }
    if (names.size() == on.size())
        return {};
    return ", only " + (names.empty() ? std::string("no system") : Join(names, ", "));
}

}  // namespace

TargetSystems SystemsOfMask(std::string_view mask) {
    TargetSystems systems{};
    for (size_t i = 0; i < systems.size(); ++i)
        systems[i] = i < mask.size() && mask[i] == '1';
    return systems;
}

std::string MaskOfSystems(const TargetSystems& systems) {
    std::string mask;
    for (bool on : systems)
        mask += on ? '1' : '0';
    return mask;
}

bool AnySystem(const TargetSystems& systems) {
    for (bool on : systems) {
        if (on)
            return true;
    }
    return false;
}

std::string UnstorableField(std::string_view field, std::string_view text) {
    return WSetupElement::IsValidFieldText(text) ? std::string()
                                                 : ReplaceAll(kUnstorableFieldMessage, "%1", field);
}

std::vector<WSetupElement*> CustomisableFiles(const WProjectData& project) {
    std::vector<WSetupElement*> files;
    if (const WSetupComponent* component = project.ProgramFilesComponent()) {
        for (int type : kFileElementTypes) {
            for (const auto& e : component->Elements(type))
                files.push_back(e.get());
        }
    }
    return files;
}

std::string TargetFileText(const WSetupElement& element) {
    return JoinPath(ExpandFolderMacros(element.GetTargetDir()), element.GetTargetName());
}

const WSetupElement* FindCustomisableFile(const WProjectData& project, std::string_view text,
                                          std::string& error) {
    error.clear();
    const std::string wanted = ReplaceAll(CompressFolderMacros(Trim(text)), "/", "\\");
    const bool bareName = wanted.find('\\') == std::string::npos;
    std::vector<const WSetupElement*> found;
    for (const WSetupElement* file : CustomisableFiles(project)) {
        const std::string path = ReplaceAll(file->GetTargetPath(), "/", "\\");
        if (EqualsNoCase(path, wanted))
            return file;
        if (bareName && EqualsNoCase(FileNameOf(path), wanted))
            found.push_back(file);
    }
    if (found.size() == 1)
        return found.front();
    if (found.empty()) {
        error = "the project installs no file " + std::string(text);
    } else {
        std::vector<std::string> paths;
        for (const WSetupElement* file : found)
            paths.push_back(TargetFileText(*file));
        error = "several files are named " + std::string(text) + ": " + Join(paths, ", ");
    }
    return nullptr;
}

std::unique_ptr<WSetupProfileString> NewIniEntry(const WSetupElement& file) {
    auto entry = std::make_unique<WSetupProfileString>();
    Prepare(*entry, file);
    entry->SetPreviousValue("");
    entry->SetRestorePrevious(0);
    entry->SetSection(kNewSection);
    entry->SetKey(kNewKey);
    entry->SetValue(kNewValue);
    return entry;
}

std::unique_ptr<WSetupCustFile> NewTextReplacement(const WSetupElement& file) {
    auto entry = std::make_unique<WSetupCustFile>();
    Prepare(*entry, file);
    entry->SetSearchText(kNewSearchText);
    entry->SetReplaceText(CompressFolderMacros(kNewReplaceText));
    return entry;
}

std::vector<WSetupProfileString*> IniEntries(const WProjectData& project) {
    return EntriesOf<WSetupProfileString>(project, kElementProfile);
}

std::vector<WSetupCustFile*> TextReplacements(const WProjectData& project) {
    return EntriesOf<WSetupCustFile>(project, kElementCustFile);
}

namespace {

bool SameIniEntry(const WSetupProfileString& a, const WSetupProfileString& b) {
    return SameFile(a, b) && a.GetSection() == b.GetSection() && a.GetKey() == b.GetKey();
}

bool SameTextReplacement(const WSetupCustFile& a, const WSetupCustFile& b) {
    return SameFile(a, b) && a.GetSearchText() == b.GetSearchText() &&
           a.GetReplaceText() == b.GetReplaceText();
}

}  // namespace

WSetupProfileString* AddIniEntry(WProjectData& project, std::unique_ptr<WSetupProfileString> entry,
                                 std::string& error) {
    return AddEntry(project, std::move(entry), kElementProfile, SameIniEntry, error);
}

WSetupCustFile* AddTextReplacement(WProjectData& project, std::unique_ptr<WSetupCustFile> entry,
                                   std::string& error) {
    return AddEntry(project, std::move(entry), kElementCustFile, SameTextReplacement, error);
}

std::string CheckChangedIniEntry(const WProjectData& project, const WSetupProfileString* entry,
                                 const WSetupProfileString& changed) {
    return Duplicate(project, changed, kElementProfile, SameIniEntry, entry);
}

std::string CheckChangedTextReplacement(const WProjectData& project, const WSetupCustFile* entry,
                                        const WSetupCustFile& changed) {
    return Duplicate(project, changed, kElementCustFile, SameTextReplacement, entry);
}

bool RemoveCustomisation(WProjectData& project, const WSetupElement* entry) {
    WSetupComponent* files = project.ProgramFilesComponent();
    return files && entry && files->TakeElement(entry) != nullptr;
}

void CustomisationChanged(WProjectData& project) {
    // The map of records seen keys the entry by its old record.
    if (WCreatorManager* manager = project.Components())
        manager->ElementsRemoved();
}

std::string DescribeIniEntry(const WSetupProfileString& entry) {
    return TargetFileText(entry) + "  [" + ExpandFolderMacros(entry.GetSection()) + "] " +
           ExpandFolderMacros(entry.GetKey()) + "=" + ExpandFolderMacros(entry.GetValue()) +
           SystemsNote(entry.GetOsMask());
}

std::string DescribeTextReplacement(const WSetupCustFile& entry) {
    return TargetFileText(entry) + "  replace " +
           Quoted(ExpandFolderMacros(entry.GetSearchText())) + " with " +
           Quoted(ExpandFolderMacros(entry.GetReplaceText())) + SystemsNote(entry.GetOsMask());
}

}  // namespace vantrel
