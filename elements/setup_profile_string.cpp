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

RecordLayout<WSetupProfileString> WSetupProfileString::Fields() {
    using F = RecordField<WSetupProfileString>;
    using E = WSetupProfileString;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),
        F::Text(&E::targetDir_),
        F::Expandable(&E::targetName_),
        F::Text(&E::section_),
        F::Text(&E::key_),
        F::Text(&E::value_),
        F::Mask(&E::osMask_),
        F::Text(&E::previousValue_),
        F::Flag(&E::uninstall_),
        F::Flag(&E::restorePrevious_),
        F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_),
    };
    return kFields;
}

bool WSetupProfileString::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupProfileString::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
