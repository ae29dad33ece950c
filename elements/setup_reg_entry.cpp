#include "elements/setup_reg_entry.h"

namespace vantrel {

WSetupRegEntry::WSetupRegEntry() : WSetupElement(kElementRegistryKeys) {}

WSetupRegEntry::WSetupRegEntry(std::string_view record, bool expand) : WSetupRegEntry() {
    ReadRecord(record, expand);
}

const char* WSetupRegEntry::ClassName() const {
    return "WSetupRegEntry";
}

std::unique_ptr<WSetupElement> WSetupRegEntry::Clone() const {
    return std::make_unique<WSetupRegEntry>(*this);
}

bool WSetupRegEntry::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    targetDir_.clear();
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(rootKey_);
    r.ReadExpandable(keyPath_);
    r.ReadExpandable(valueName_);
    r.ReadExpandable(valueData_);
    r.ReadString(valueType_);
    r.ReadMask(osMask_);
    r.ReadFlag(uninstall_);
    r.ReadFlag(removeSubkeys_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadString(previousValue_);
    r.ReadFlag(restorePrevious_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRegEntry::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(rootKey_)
        .String(keyPath_)
        .String(valueName_)
        .String(valueData_)
        .String(valueType_)
        .String(osMask_)
        .Flag(uninstall_)
        .Flag(removeSubkeys_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .String(previousValue_)
        .Flag(restorePrevious_);
    return w.Take();
}

}  // namespace vantrel
