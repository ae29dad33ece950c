#include "script/spm_sys_req.h"

#include "scriptfile/setup_data.h"

namespace vantrel {

WSPMSysReq::WSPMSysReq()
    : operatingSystem_("1111"), processor_("486"), resolution_("800x600"), colours_("16") {}

bool WSPMSysReq::Write(WSetupData* script) const {
    if (!script)
        return false;
    auto set = [script](const char* key, const std::string& value) {
        script->SetValue(kSection, key, value, true);
    };
    auto flag = [](bool on) { return std::string(on ? "YES" : "NO"); };
    set("RAM", std::to_string(memory_));
    set("RAMContinue", flag(memoryContinue_));
    set("OS", operatingSystem_);
    set("OSContinue", flag(operatingSystemContinue_));
    set("CPU", processor_);
    set("CPUContinue", flag(processorContinue_));
    set("RES", resolution_);
    set("RESContinue", flag(resolutionContinue_));
    set("COLOR", colours_);
    set("COLORContinue", flag(coloursContinue_));
    return true;
}

}  // namespace vantrel
