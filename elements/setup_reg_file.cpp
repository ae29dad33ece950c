#include "elements/setup_reg_file.h"

namespace vantrel {

WSetupRegFile::WSetupRegFile() : WSetupElement(kElementRegFile) {}

WSetupRegFile::WSetupRegFile(std::string_view record, bool expand) : WSetupRegFile() {
    ReadRecord(record, expand);
}

const char* WSetupRegFile::ClassName() const {
    return "WSetupRegFile";
}

std::unique_ptr<WSetupElement> WSetupRegFile::Clone() const {
    return std::make_unique<WSetupRegFile>(*this);
}

bool WSetupRegFile::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    // The Mode field, the last one, is written but not read back.
    RecordLayout<WSetupElement> fields = TargetOnlyFields();
    ReadFields(r, *this, fields.first(fields.size() - 1));
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupRegFile::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, TargetOnlyFields());
    return w.Take();
}

}  // namespace vantrel
