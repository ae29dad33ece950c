#include "elements/setup_custom_dll.h"

namespace vantrel {

WSetupCustomDLL::WSetupCustomDLL() : WSetupElement(kElementCustomDll) {}

WSetupCustomDLL::WSetupCustomDLL(std::string_view record, bool expand) : WSetupCustomDLL() {
    ReadRecord(record, expand);
}

const char* WSetupCustomDLL::ClassName() const {
    return "WSetupCustomDLL";
}

std::unique_ptr<WSetupElement> WSetupCustomDLL::Clone() const {
    return std::make_unique<WSetupCustomDLL>(*this);
}

RecordLayout<WSetupCustomDLL> WSetupCustomDLL::Fields() {
    using F = RecordField<WSetupCustomDLL>;
    using E = WSetupCustomDLL;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),         F::Text(&E::targetDir_), F::Text(&E::targetName_),
        F::Text(&E::dllArgument_), F::Mask(&E::osMask_),    F::Flag(&E::uninstall_),
        F::Mask(&E::selectMask_),  F::Flag(&E::auxFlag_),   F::Flag(&E::noInstallCall_),
    };
    return kFields;
}

bool WSetupCustomDLL::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupCustomDLL::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
