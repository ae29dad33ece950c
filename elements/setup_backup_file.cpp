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
    ReadFields(r, *this, TargetOnlyFields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupBackupFile::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, TargetOnlyFields());
    return w.Take();
}

}  // namespace vantrel
