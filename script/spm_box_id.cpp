#include "script/spm_box_id.h"

#include "scriptfile/setup_data.h"

namespace vantrel {

bool WSPMBoxId::Write(WSetupData* script) const {
    if (!script)
        return false;
    script->SetValue(kSection, "DependentComponents", dependentComponents_, true);
    script->SetValue(kSection, "DestProgramsDir", programsFolder_, true);
    script->SetValue(kSection, "SourceFile", sourceFile_, true);
    script->SetValue(kSection, "BoxName", boxName_, true);
    script->SetValue(kSection, "UseBoxId", useBoxId_ ? "1" : "0", true);
    return true;
}

}  // namespace vantrel
