#include "elements/setup_runtime_file.h"

namespace vantrel {

WSetupRuntimeFile::WSetupRuntimeFile() : WSetupElement(kElementRuntimeFile) {}

WSetupRuntimeFile::WSetupRuntimeFile(std::string_view record, bool expand) : WSetupRuntimeFile() {
    ReadRecord(record, expand);
}

const char* WSetupRuntimeFile::ClassName() const {
    return "WSetupRuntimeFile";
}

std::unique_ptr<WSetupElement> WSetupRuntimeFile::Clone() const {
    return std::make_unique<WSetupRuntimeFile>(*this);
}

bool WSetupRuntimeFile::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    uninstall_ = 1;
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadExpandable(targetName_);
    r.ReadMask(osMask_);
    r.ReadFlag(runtimeOption_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadOctal(mode_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRuntimeFile::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(osMask_)
        .Flag(runtimeOption_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .Octal(mode_);
    return w.Take();
}

}  // namespace vantrel
