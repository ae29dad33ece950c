#include "elements/setup_delete_file.h"

namespace vantrel {

WSetupDeleteFile::WSetupDeleteFile() : WSetupElement(kElementDeleteFile) {}

WSetupDeleteFile::WSetupDeleteFile(std::string_view record, bool expand) : WSetupDeleteFile() {
    ReadRecord(record, expand);
}

const char* WSetupDeleteFile::ClassName() const {
    return "WSetupDeleteFile";
}

std::unique_ptr<WSetupElement> WSetupDeleteFile::Clone() const {
    return std::make_unique<WSetupDeleteFile>(*this);
}

RecordLayout<WSetupDeleteFile> WSetupDeleteFile::Fields() {
    using F = RecordField<WSetupDeleteFile>;
    using E = WSetupDeleteFile;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),     F::Text(&E::targetDir_), F::Text(&E::targetName_),
        F::Mask(&E::osMask_),  F::Flag(&E::uninstall_), F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_),
    };
    return kFields;
}

bool WSetupDeleteFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupDeleteFile::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
