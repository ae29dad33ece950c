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

bool WSetupCustFile::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadExpandable(targetName_);
    r.ReadString(searchText_);
    r.ReadExpandable(replaceText_);
    r.ReadMask(osMask_);
    r.ReadFlag(uninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupCustFile::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(searchText_)
        .String(replaceText_)
        .String(osMask_)
        .Flag(uninstall_)
        .String(selectMask_)
        .Flag(auxFlag_);
    return w.Take();
}

}  // namespace vantrel
