#include "elements/setup_runtime_file.h"

namespace vantrel {

WSetupRuntimeFile::WSetupRuntimeFile() : WSetupElement(kElementRuntimeFile) {}

WSetupRuntimeFile::WSetupRuntimeFile(std::string_view record, bool expand) : WSetupRuntimeFile() {
    ReadRecord(record, expand);
}

const char* WSetupRuntimeFile::ClassName() const {
    return "WSetupRuntimeFile";
}

std::unique_ptr<WSetupElement> WSetupRuntimeFile::Clone() const {
    return std::make_unique<WSetupRuntimeFile>(*this);
}

RecordLayout<WSetupRuntimeFile> WSetupRuntimeFile::Fields() {
    using F = RecordField<WSetupRuntimeFile>;
    using E = WSetupRuntimeFile;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),     F::Text(&E::targetDir_),     F::Expandable(&E::targetName_),
        F::Mask(&E::osMask_),  F::Flag(&E::runtimeOption_), F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_), F::Octal(&E::mode_),
    };
    return kFields;
}

bool WSetupRuntimeFile::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    uninstall_ = 1;
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRuntimeFile::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
