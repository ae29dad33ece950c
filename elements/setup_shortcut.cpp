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

RecordLayout<WSetupShortcut> WSetupShortcut::Fields() {
    using F = RecordField<WSetupShortcut>;
    using E = WSetupShortcut;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),          F::Text(&E::shortcutFolder_),   F::Text(&E::shortcutName_),
        F::Text(&E::targetDir_),    F::Expandable(&E::targetName_), F::Mask(&E::osMask_),
        F::Flag(&E::shortcutFlag_), F::Text(&E::arguments_),        F::Text(&E::workingDir_),
        F::Text(&E::iconText1_),    F::Text(&E::iconText2_),        F::Int(&E::iconIndex_),
        F::Flag(&E::uninstall_),    F::Mask(&E::selectMask_),       F::Flag(&E::auxFlag_),
        F::Octal(&E::mode_),
    };
    return kFields;
}

bool WSetupShortcut::ReadRecord(std::string_view record, bool expand) {
    sourceDir_.clear();
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupShortcut::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

}  // namespace vantrel
