#include "elements/setup_runtime_reg_entry.h"

namespace vantrel {

WSetupRuntimeRegEntry::WSetupRuntimeRegEntry() : WSetupElement(kElementRuntimeRegEntry) {}

WSetupRuntimeRegEntry::WSetupRuntimeRegEntry(std::string_view record, bool expand)
    : WSetupRuntimeRegEntry() {
    ReadRecord(record, expand);
}

const char* WSetupRuntimeRegEntry::ClassName() const {
    return "WSetupRuntimeRegEntry";
}

std::unique_ptr<WSetupElement> WSetupRuntimeRegEntry::Clone() const {
    return std::make_unique<WSetupRuntimeRegEntry>(*this);
}

RecordLayout<WSetupRuntimeRegEntry> WSetupRuntimeRegEntry::Fields() {
    using F = RecordField<WSetupRuntimeRegEntry>;
    using E = WSetupRuntimeRegEntry;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),        F::Text(&E::fromKey_),        F::Text(&E::toKey_),
        F::Mask(&E::osMask_),     F::Flag(&E::runtimeRegFlag_), F::Text(&E::copyWhat_),
        F::Mask(&E::selectMask_), F::Flag(&E::auxFlag_),
    };
    return kFields;
}

bool WSetupRuntimeRegEntry::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    targetDir_.clear();
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRuntimeRegEntry::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
