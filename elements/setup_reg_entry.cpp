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

RecordLayout<WSetupRegEntry> WSetupRegEntry::Fields() {
    using F = RecordField<WSetupRegEntry>;
    using E = WSetupRegEntry;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),
        F::Text(&E::rootKey_),
        F::Expandable(&E::keyPath_),
        F::Expandable(&E::valueName_),
        F::Expandable(&E::valueData_),
        F::Text(&E::valueType_),
        F::Mask(&E::osMask_),
        F::Flag(&E::uninstall_),
        F::Flag(&E::removeSubkeys_),
        F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_),
        F::Text(&E::previousValue_),
        F::Flag(&E::restorePrevious_),
    };
    return kFields;
}

bool WSetupRegEntry::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    targetDir_.clear();
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRegEntry::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
