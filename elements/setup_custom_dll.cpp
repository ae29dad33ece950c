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

bool WSetupCustomDLL::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(targetDir_);
    r.ReadString(targetName_);
    r.ReadString(dllArgument_);
    r.ReadMask(osMask_);
    r.ReadFlag(uninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadFlag(noInstallCall_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupCustomDLL::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(targetDir_)
        .String(targetName_)
        .String(dllArgument_)
        .String(osMask_)
        .Flag(uninstall_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .Flag(noInstallCall_);
    return w.Take();
}

}  // namespace vantrel
