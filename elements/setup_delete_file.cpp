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

bool WSetupDeleteFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadMask(osMask_);
    r.ReadFlag(uninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupDeleteFile::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(osMask_)
        .Flag(uninstall_)
        .String(selectMask_)
        .Flag(auxFlag_);
    return w.Take();
}

}  // namespace vantrel
