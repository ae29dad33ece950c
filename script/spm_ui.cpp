#include "script/spm_ui.h"

#include "scriptfile/setup_data.h"

namespace vantrel {

WSPMUi::WSPMUi()
    : stringFile_("Setup\\Setup.str"),
      resourceLibrary_("Setup\\Swintlen.dll"),
      pages_("welcome installtype components destination ready"),
      charSet_("0") {}

bool WSPMUi::Write(WSetupData* script) const {
    if (!script)
        return false;
    script->SetValue(kSection, "StrFile", stringFile_, true);
    script->SetValue(kSection, "ResourceDll", resourceLibrary_, true);
    script->SetValue(kSection, "Pages", pages_, true);
    script->SetValue(kSection, "CharSet", charSet_, true);
    script->SetValue(kSection, "FontName", fontName_, true);
    return true;
}

}  // namespace vantrel
