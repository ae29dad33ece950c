#include "elements/setup_dir.h"

namespace vantrel {

WSetupDir::WSetupDir() : WSetupElement(kElementDir) {}

WSetupDir::WSetupDir(std::string_view record, bool expand) : WSetupDir() {
    ReadRecord(record, expand);
}

const char* WSetupDir::ClassName() const {
    return "WSetupDir";
}

std::unique_ptr<WSetupElement> WSetupDir::Clone() const {
    return std::make_unique<WSetupDir>(*this);
}

RecordLayout<WSetupDir> WSetupDir::Fields() {
    using F = RecordField<WSetupDir>;
    using E = WSetupDir;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),
        F::Text(&E::targetDir_),
        F::Text(&E::targetName_),
        F::Mask(&E::osMask_),
        F::Mask(&E::attributes_),
        F::Flag(&E::uninstall_),
        F::Flag(&E::removeOnUninstall_),
        F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_),
        F::Octal(&E::mode_),
    };
    return kFields;
}

bool WSetupDir::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    savedAttributes_ = attributes_;
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupDir::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
