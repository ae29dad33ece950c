#include "elements/setup_ttf_file.h"

#include <utility>

namespace vantrel {

WSetupTTFFile::WSetupTTFFile() : WSetupFile(kElementTTFFile) {}

WSetupTTFFile::WSetupTTFFile(std::string_view record, bool expand) : WSetupTTFFile() {
    ReadRecord(record, expand);
}

WSetupTTFFile::WSetupTTFFile(const WSetupFile& file, std::string typefaceName)
    : WSetupFile(file), typefaceName_(std::move(typefaceName)) {
    typeCode_ = kElementTTFFile;
}

const char* WSetupTTFFile::ClassName() const {
    return "WSetupTTFFile";
}

std::unique_ptr<WSetupElement> WSetupTTFFile::Clone() const {
    return std::make_unique<WSetupTTFFile>(*this);
}

bool WSetupTTFFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFileFields(r);
    if (!r.NextIsLast())
        r.Skip();  // the Mode field of a full record
    r.ReadString(typefaceName_);
    FinishReading();
    return !r.Malformed();
}

std::string WSetupTTFFile::WriteRecord() const {
    RecordWriter w;
    WriteFileFields(w);
    w.Octal(mode_).String(typefaceName_);
    return w.Take();
}

}  // namespace vantrel
