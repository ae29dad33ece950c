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

std::unique_ptr<WSetupFile> WSetupFile::PlainFileCopy() const {
    auto copy = std::make_unique<WSetupFile>(*this);
    copy->typeCode_ = kElementFile;
    return copy;
}

RecordLayout<WSetupFile> WSetupFile::FileFields() {
    using F = RecordField<WSetupFile>;
    using E = WSetupFile;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),        F::Text(&E::sourceDir_),         F::Expandable(&E::sourceName_),
        F::Text(&E::targetDir_),  F::Expandable(&E::targetName_),  F::WholeSize(&E::size_),
        F::Mask(&E::attributes_), F::Int(&E::overwrite_),          F::Mask(&E::osMask_),
        F::Int(&E::shareFlags_),  F::Text(&E::checkValue_),        F::Int(&E::extraValue_),
        F::Flag(&E::uninstall_),  F::Flag(&E::removeOnUninstall_), F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_),    F::Flag(&E::fileFlag1_),         F::Flag(&E::fileFlag2_),
    };
    return kFields;
}

void WSetupFile::ReadFileFields(RecordReader& r) {
    ReadFields(r, *this, FileFields());
    savedSourceName_.clear();
    savedIsSourceName_ = true;
    savedAttributes_ = attributes_;
    residualTarget_ = (FindNoCase(targetDir_, "R>") != std::string::npos ||
                       FindNoCase(targetDir_, "R2>") != std::string::npos)
                          ? 1
                          : 0;
}

void WSetupFile::KeepSavedSourceName() {
    if (savedIsSourceName_) {
        savedSourceName_ = sourceName_;
        savedIsSourceName_ = false;
    }
}

void WSetupFile::FinishReading() {
    NormaliseMasks();
    if (attributes_.empty()) {
        attributes_ = "100000";
    } else if (attributes_.size() < 6) {
        std::string padded = attributes_.str();
        padded.resize(6, '0');
        attributes_ = padded;
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
    WriteFields(w, *this, FileFields());
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
        .Mask(attributes_)
        .Int(overwrite_)
        .Mask(osMask_)
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
