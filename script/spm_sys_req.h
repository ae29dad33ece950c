// The "SystemRequirements" section of the product script: the minimum
// machine, each requirement with a flag that lets the setup continue when
// it is not met ("YES"/"NO").
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class WSetupData;

class WSPMSysReq {
  public:
    static constexpr const char* kSection = "SystemRequirements";

    WSPMSysReq();
    virtual ~WSPMSysReq() = default;

    int GetMemory() const { return memory_; }
    void SetMemory(int v) { memory_ = v; }
    bool GetMemoryContinue() const { return memoryContinue_; }
    void SetMemoryContinue(bool v) { memoryContinue_ = v; }
    const std::string& GetOperatingSystem() const { return operatingSystem_; }
    void SetOperatingSystem(std::string_view v) { operatingSystem_ = v; }
    bool GetOperatingSystemContinue() const { return operatingSystemContinue_; }
    void SetOperatingSystemContinue(bool v) { operatingSystemContinue_ = v; }
    const std::string& GetProcessor() const { return processor_; }
    void SetProcessor(std::string_view v) { processor_ = v; }
    bool GetProcessorContinue() const { return processorContinue_; }
    void SetProcessorContinue(bool v) { processorContinue_ = v; }
    const std::string& GetResolution() const { return resolution_; }
    void SetResolution(std::string_view v) { resolution_ = v; }
    bool GetResolutionContinue() const { return resolutionContinue_; }
    void SetResolutionContinue(bool v) { resolutionContinue_ = v; }
    const std::string& GetColours() const { return colours_; }
    void SetColours(std::string_view v) { colours_ = v; }
    bool GetColoursContinue() const { return coloursContinue_; }
    void SetColoursContinue(bool v) { coloursContinue_ = v; }

    // Sets the section's keys in `script`; false without a script.
    bool Write(WSetupData* script) const;

  private:
    int memory_ = 16;
    bool memoryContinue_ = true;
    std::string operatingSystem_;
    bool operatingSystemContinue_ = false;
    std::string processor_;
    bool processorContinue_ = false;
    std::string resolution_;
    bool resolutionContinue_ = false;
    std::string colours_;
    bool coloursContinue_ = false;
};

}  // namespace vantrel
