#include "project/text_replacement_properties.h"

#include "script/folder_macros.h"

namespace vantrel {

WTextReplacementProperties WTextReplacementProperties::Load(const WSetupCustFile& entry) {
    WTextReplacementProperties p;
    p.file = TargetFileText(entry);
    p.search = ExpandFolderMacros(entry.GetSearchText());
    p.replace = ExpandFolderMacros(entry.GetReplaceText());
    p.systems = SystemsOfMask(entry.GetOsMask());
    return p;
}

std::string WTextReplacementProperties::Check() const {
    if (!AnySystem(systems))
        return kNoTargetSystemMessage;
    if (search.empty() || replace.empty())
        return kReplaceMissingTextMessage;
    if (std::string refused = UnstorableField("search text", CompressFolderMacros(search));
        !refused.empty())
        return refused;
    return UnstorableField("replacement", CompressFolderMacros(replace));
}

std::string WTextReplacementProperties::Apply(WSetupCustFile& entry) const {
    if (std::string refused = Check(); !refused.empty())
        return refused;
    entry.SetOsMask(MaskOfSystems(systems));
    entry.SetSearchText(CompressFolderMacros(search));
    entry.SetReplaceText(CompressFolderMacros(replace));
    return {};
}

}  // namespace vantrel
