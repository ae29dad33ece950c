#include "project/ini_entry_properties.h"

#include "script/folder_macros.h"

namespace vantrel {

WIniEntryProperties WIniEntryProperties::Load(const WSetupProfileString& entry) {
    WIniEntryProperties p;
    p.file = TargetFileText(entry);
    p.section = ExpandFolderMacros(entry.GetSection());
    p.key = ExpandFolderMacros(entry.GetKey());
    p.value = ExpandFolderMacros(entry.GetValue());
    p.systems = SystemsOfMask(entry.GetOsMask());
    return p;
}

std::string WIniEntryProperties::Check() const {
    if (!AnySystem(systems))
        return kNoTargetSystemMessage;
    if (section.empty() || key.empty() || value.empty())
        return kIniMissingTextMessage;
    if (section.find_first_of("[]") != std::string::npos)
        return kIniBracketMessage;
    const std::pair<const char*, const std::string*> fields[] = {
        {"section", &section}, {"key", &key}, {"value", &value}};
    for (const auto& [name, text] : fields) {
        if (std::string refused = UnstorableField(name, CompressFolderMacros(*text));
            !refused.empty())
            return refused;
    }
    return {};
}

std::string WIniEntryProperties::Apply(WSetupProfileString& entry) const {
    if (std::string refused = Check(); !refused.empty())
        return refused;
    entry.SetOsMask(MaskOfSystems(systems));
    entry.SetKey(CompressFolderMacros(key));
    entry.SetSection(CompressFolderMacros(section));
    entry.SetValue(CompressFolderMacros(value));
    return {};
}

}  // namespace vantrel
