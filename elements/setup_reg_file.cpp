#include "elements/setup_reg_file.h"

namespace vantrel {

WSetupRegFile::WSetupRegFile() : WSetupElement(kElementRegFile) {}

WSetupRegFile::WSetupRegFile(std::string_view record, bool expand) : WSetupRegFile() {
    ReadRecord(record, expand);
}

const char* WSetupRegFile::ClassName() const {
    return "WSetupRegFile";
}

std::unique_ptr<WSetupElement> WSetupRegFile::Clone() const {
    return std::make_unique<WSetupRegFile>(*this);
}

bool WSetupRegFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadMask(osMask_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRegFile::WriteRecord() const {
    return WriteTargetOnlyRecord();
}

}  // namespace vantrel
