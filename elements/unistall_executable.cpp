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

RecordLayout<WUnistallExecutable> WUnistallExecutable::Fields() {
    using F = RecordField<WUnistallExecutable>;
    using E = WUnistallExecutable;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),        F::Text(&E::targetDir_), F::Text(&E::targetName_),
        F::Text(&E::parameters_), F::Mask(&E::osMask_),    F::Int(&E::runMethod_),
        F::Mask(&E::selectMask_), F::Flag(&E::auxFlag_),
    };
    return kFields;
}

bool WUnistallExecutable::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WUnistallExecutable::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
