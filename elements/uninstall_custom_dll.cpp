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

bool WUninstallCustomDLL::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadString(dllArgument_);
    r.ReadMask(osMask_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WUninstallCustomDLL::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(dllArgument_)
        .String(osMask_)
        .String(selectMask_)
        .Flag(auxFlag_);
    return w.Take();
}

}  // namespace vantrel
