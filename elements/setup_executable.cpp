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

RecordLayout<WSetupExecutable> WSetupExecutable::Fields() {
    using F = RecordField<WSetupExecutable>;
    using E = WSetupExecutable;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),        F::Text(&E::targetDir_),  F::Text(&E::targetName_),
        F::Text(&E::parameters_), F::Mask(&E::osMask_),     F::Int(&E::runMethod_),
        F::Flag(&E::uninstall_),  F::Mask(&E::selectMask_), F::Flag(&E::auxFlag_),
        F::Octal(&E::mode_),
    };
    return kFields;
}

bool WSetupExecutable::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupExecutable::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
