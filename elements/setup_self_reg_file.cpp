#include "elements/setup_self_reg_file.h"

namespace vantrel {

WSetupSelfRegFile::WSetupSelfRegFile() : WSetupElement(kElementSelfRegister) {}

WSetupSelfRegFile::WSetupSelfRegFile(std::string_view record, bool expand) : WSetupSelfRegFile() {
    ReadRecord(record, expand);
}

const char* WSetupSelfRegFile::ClassName() const {
    return "WSetupSelfRegFile";
}

std::unique_ptr<WSetupElement> WSetupSelfRegFile::Clone() const {
    return std::make_unique<WSetupSelfRegFile>(*this);
}

RecordLayout<WSetupSelfRegFile> WSetupSelfRegFile::Fields() {
    using F = RecordField<WSetupSelfRegFile>;
    using E = WSetupSelfRegFile;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),     F::Text(&E::targetDir_), F::Text(&E::targetName_),
        F::Mask(&E::osMask_),  F::Flag(&E::uninstall_), F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_), F::Octal(&E::mode_),
    };
    return kFields;
}

bool WSetupSelfRegFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupSelfRegFile::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
