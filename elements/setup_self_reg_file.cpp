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

bool WSetupSelfRegFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadMask(osMask_);
    r.ReadFlag(uninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadOctal(mode_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupSelfRegFile::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(osMask_)
        .Flag(uninstall_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .Octal(mode_);
    return w.Take();
}

}  // namespace vantrel
