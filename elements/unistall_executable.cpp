#include "elements/unistall_executable.h"

namespace vantrel {

WUnistallExecutable::WUnistallExecutable() : WSetupElement(kElementUninstallExe) {}

WUnistallExecutable::WUnistallExecutable(std::string_view record, bool expand)
    : WUnistallExecutable() {
    ReadRecord(record, expand);
}

const char* WUnistallExecutable::ClassName() const {
    return "WUnistallExecutable";
}

std::unique_ptr<WSetupElement> WUnistallExecutable::Clone() const {
    return std::make_unique<WUnistallExecutable>(*this);
}

bool WUnistallExecutable::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadString(parameters_);
    r.ReadMask(osMask_);
    r.ReadInt(runMethod_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WUnistallExecutable::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(parameters_)
        .String(osMask_)
        .Int(runMethod_)
        .String(selectMask_)
        .Flag(auxFlag_);
    return w.Take();
}

}  // namespace vantrel
