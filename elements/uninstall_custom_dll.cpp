#include "elements/uninstall_custom_dll.h"

namespace vantrel {

WUninstallCustomDLL::WUninstallCustomDLL() : WSetupElement(kElementUninstallDll) {}

WUninstallCustomDLL::WUninstallCustomDLL(std::string_view record, bool expand)
    : WUninstallCustomDLL() {
    ReadRecord(record, expand);
}

const char* WUninstallCustomDLL::ClassName() const {
    return "WUninstallCustomDLL";
}

std::unique_ptr<WSetupElement> WUninstallCustomDLL::Clone() const {
    return std::make_unique<WUninstallCustomDLL>(*this);
}

RecordLayout<WUninstallCustomDLL> WUninstallCustomDLL::Fields() {
    using F = RecordField<WUninstallCustomDLL>;
    using E = WUninstallCustomDLL;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),         F::Text(&E::targetDir_), F::Text(&E::targetName_),
        F::Text(&E::dllArgument_), F::Mask(&E::osMask_),    F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_),
    };
    return kFields;
}

bool WUninstallCustomDLL::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WUninstallCustomDLL::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
