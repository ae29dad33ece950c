#include "elements/setup_profile_string.h"

namespace vantrel {

WSetupProfileString::WSetupProfileString() : WSetupElement(kElementProfile) {}

WSetupProfileString::WSetupProfileString(std::string_view record, bool expand)
    : WSetupProfileString() {
    ReadRecord(record, expand);
}

const char* WSetupProfileString::ClassName() const {
    return "WSetupProfileString";
}

std::unique_ptr<WSetupElement> WSetupProfileString::Clone() const {
    return std::make_unique<WSetupProfileString>(*this);
}

bool WSetupProfileString::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadExpandable(targetName_);
    r.ReadString(section_);
    r.ReadString(key_);
    r.ReadString(value_);
    r.ReadMask(osMask_);
    r.ReadString(previousValue_);
    r.ReadFlag(uninstall_);
    r.ReadFlag(restorePrevious_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupProfileString::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(section_)
        .String(key_)
        .String(value_)
        .String(osMask_)
        .String(previousValue_)
        .Flag(uninstall_)
        .Flag(restorePrevious_)
        .String(selectMask_)
        .Flag(auxFlag_);
    return w.Take();
}

}  // namespace vantrel
