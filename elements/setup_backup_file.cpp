#include "elements/setup_backup_file.h"

namespace vantrel {

WSetupBackupFile::WSetupBackupFile() : WSetupElement(kElementBackFile) {}

WSetupBackupFile::WSetupBackupFile(std::string_view record, bool expand) : WSetupBackupFile() {
    ReadRecord(record, expand);
}

const char* WSetupBackupFile::ClassName() const {
    return "WSetupBackupFile";
}

std::unique_ptr<WSetupElement> WSetupBackupFile::Clone() const {
    return std::make_unique<WSetupBackupFile>(*this);
}

bool WSetupBackupFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadMask(osMask_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadOctal(mode_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupBackupFile::WriteRecord() const {
    return WriteTargetOnlyRecord();
}

}  // namespace vantrel
