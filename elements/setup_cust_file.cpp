#include "elements/setup_cust_file.h"

namespace vantrel {

WSetupCustFile::WSetupCustFile() : WSetupElement(kElementCustFile) {}

WSetupCustFile::WSetupCustFile(std::string_view record, bool expand) : WSetupCustFile() {
    ReadRecord(record, expand);
}

const char* WSetupCustFile::ClassName() const {
    return "WSetupCustFile";
}

std::unique_ptr<WSetupElement> WSetupCustFile::Clone() const {
    return std::make_unique<WSetupCustFile>(*this);
}

RecordLayout<WSetupCustFile> WSetupCustFile::Fields() {
    using F = RecordField<WSetupCustFile>;
    using E = WSetupCustFile;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),        F::Text(&E::targetDir_),         F::Expandable(&E::targetName_),
        F::Text(&E::searchText_), F::Expandable(&E::replaceText_), F::Mask(&E::osMask_),
        F::Flag(&E::uninstall_),  F::Mask(&E::selectMask_),        F::Flag(&E::auxFlag_),
    };
    return kFields;
}

bool WSetupCustFile::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupCustFile::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
