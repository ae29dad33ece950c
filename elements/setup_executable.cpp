#include "elements/setup_executable.h"

namespace vantrel {

WSetupExecutable::WSetupExecutable() : WSetupElement(kElementExecute) {}

WSetupExecutable::WSetupExecutable(std::string_view record, bool expand) : WSetupExecutable() {
    ReadRecord(record, expand);
}

const char* WSetupExecutable::ClassName() const {
    return "WSetupExecutable";
}

std::unique_ptr<WSetupElement> WSetupExecutable::Clone() const {
    return std::make_unique<WSetupExecutable>(*this);
}

bool WSetupExecutable::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadString(parameters_);
    r.ReadMask(osMask_);
    r.ReadInt(runMethod_);
    r.ReadFlag(uninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadOctal(mode_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupExecutable::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(parameters_)
        .String(osMask_)
        .Int(runMethod_)
        .Flag(uninstall_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .Octal(mode_);
    return w.Take();
}

}  // namespace vantrel
