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

bool WSetupRuntimeRegEntry::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    targetDir_.clear();
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(fromKey_);
    r.ReadString(toKey_);
    r.ReadMask(osMask_);
    r.ReadFlag(runtimeRegFlag_);
    r.ReadString(copyWhat_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRuntimeRegEntry::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(fromKey_)
        .String(toKey_)
        .String(osMask_)
        .Flag(runtimeRegFlag_)
        .String(copyWhat_)
        .String(selectMask_)
        .Flag(auxFlag_);
    return w.Take();
}

}  // namespace vantrel
