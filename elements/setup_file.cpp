#include "elements/setup_file.h"

#include "platform/strings.h"

namespace vantrel {

WSetupFile::WSetupFile() : WSetupElement(kElementFile) {}

WSetupFile::WSetupFile(int typeCode) : WSetupElement(typeCode) {}

WSetupFile::WSetupFile(std::string_view record, bool expand) : WSetupFile() {
    ReadRecord(record, expand);
}

const char* WSetupFile::ClassName() const {
    return "WSetupFile";
}

std::unique_ptr<WSetupElement> WSetupFile::Clone() const {
    return std::make_unique<WSetupFile>(*this);
}

void WSetupFile::ReadFileFields(RecordReader& r) {
    r.ReadString(tag_);
    r.ReadString(sourceDir_);
    r.ReadExpandable(sourceName_);
    savedSourceName_ = sourceName_;
    r.ReadString(targetDir_);
    r.ReadExpandable(targetName_);
    residualTarget_ = (FindNoCase(targetDir_, "R>") != std::string::npos ||
                       FindNoCase(targetDir_, "R2>") != std::string::npos)
                          ? 1
                          : 0;
    r.ReadSize(size_);
    r.ReadMask(attributes_);
    savedAttributes_ = attributes_;
    r.ReadInt(overwrite_);
    r.ReadMask(osMask_);
    r.ReadInt(shareFlags_);
    r.ReadString(checkValue_);
    r.ReadInt(extraValue_);
    r.ReadFlag(uninstall_);
    r.ReadFlag(removeOnUninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadFlag(fileFlag1_);
    r.ReadFlag(fileFlag2_);
}

void WSetupFile::FinishReading() {
    NormaliseMasks();
    if (attributes_.empty()) {
        attributes_ = "100000";
    } else if (attributes_.size() < 6) {
        attributes_.resize(6, '0');
    }
}

bool WSetupFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFileFields(r);
    r.ReadOctal(mode_);
    FinishReading();
    return !r.Malformed();
}

void WSetupFile::WriteFileFields(RecordWriter& w) const {
    w.String(tag_)
        .String(sourceDir_)
        .String(sourceName_)
        .String(targetDir_)
        .String(targetName_)
        .WholeSize(size_)
        .String(attributes_)
        .Int(overwrite_)
        .String(osMask_)
        .Int(shareFlags_)
        .String(checkValue_)
        .Int(extraValue_)
        .Flag(uninstall_)
        .Flag(removeOnUninstall_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .Flag(fileFlag1_)
        .Flag(fileFlag2_);
}

std::string WSetupFile::WriteRecord() const {
    RecordWriter w;
    WriteFileFields(w);
    w.Octal(mode_);
    return w.Take();
}

std::string WSetupFile::GetInstalledRecord() const {
    RecordWriter w;
    w.String(tag_)
        .Empty()
        .Empty()
        .String(targetDir_)
        .String(targetName_)
        .WholeSize(size_)
        .String(attributes_)
        .Int(overwrite_)
        .String(osMask_)
        .Int(shareFlags_)
        .String(checkValue_)
        .Int(extraValue_)
        .Flag(uninstall_)
        .Flag(removeOnUninstall_)
        .Empty()
        .Empty()
        .Empty()
        .Flag(fileFlag2_);
    return w.Take();
}

}  // namespace vantrel
