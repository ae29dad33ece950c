#include "elements/setup_shortcut.h"

namespace vantrel {

WSetupShortcut::WSetupShortcut() : WSetupElement(kElementShortcut) {}

WSetupShortcut::WSetupShortcut(std::string_view record, bool expand) : WSetupShortcut() {
    ReadRecord(record, expand);
}

const char* WSetupShortcut::ClassName() const {
    return "WSetupShortcut";
}

std::unique_ptr<WSetupElement> WSetupShortcut::Clone() const {
    return std::make_unique<WSetupShortcut>(*this);
}

bool WSetupShortcut::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    RecordReader r(record, expand);
    r.ReadString(tag_);
    r.ReadString(shortcutFolder_);
    r.ReadString(shortcutName_);
    r.ReadString(targetDir_);
    r.ReadExpandable(targetName_);
    r.ReadMask(osMask_);
    r.ReadFlag(shortcutFlag_);
    r.ReadString(arguments_);
    r.ReadString(workingDir_);
    r.ReadString(iconText1_);
    r.ReadString(iconText2_);
    r.ReadInt(iconIndex_);
    r.ReadFlag(uninstall_);
    r.ReadMask(selectMask_);
    r.ReadFlag(auxFlag_);
    r.ReadOctal(mode_);
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupShortcut::WriteRecord() const {
    RecordWriter w;
    w.String(tag_)
        .String(shortcutFolder_)
        .String(shortcutName_)
        .String(targetDir_)
        .String(targetName_)
        .String(osMask_)
        .Flag(shortcutFlag_)
        .String(arguments_)
        .String(workingDir_)
        .String(iconText1_)
        .String(iconText2_)
        .Int(iconIndex_)
        .Flag(uninstall_)
        .String(selectMask_)
        .Flag(auxFlag_)
        .Octal(mode_);
    return w.Take();
}

}  // namespace vantrel
