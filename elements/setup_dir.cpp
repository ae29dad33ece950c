#include "elements/setup_dir.h"

namespace vantrel {

WSetupDir::WSetupDir() : WSetupElement(kElementDir) {}

WSetupDir::WSetupDir(std::string_view record, bool expand) : WSetupDir() {
    ReadRecord(record, expand);
}

const char* WSetupDir::ClassName() const {
    return "WSetupDir";
}

std::unique_ptr<WSetupElement> WSetupDir::Clone() const {
    return std::make_unique<WSetupDir>(*this);
}

bool WSetupDir::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadMask(osMask_);
    r.ReadMask(attributes_);
    savedAttributes_ = attributes_;
    r.ReadFlag(uninstall_);
    r.ReadFlag(removeOnUninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadOctal(mode_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupDir::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(osMask_)
        .String(attributes_)
        .Flag(uninstall_)
        .Flag(removeOnUninstall_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .Octal(mode_);
    return w.Take();
}

}  // namespace vantrel
