// The "BOXID" section of the product script: the runtime box that the
// product depends on.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class WSetupData;

class WSPMBoxId {
  public:
    static constexpr const char* kSection = "BOXID";

    WSPMBoxId() = default;
    virtual ~WSPMBoxId() = default;

    const std::string& GetDependentComponents() const { return dependentComponents_; }
    void SetDependentComponents(std::string_view v) { dependentComponents_ = v; }
    const std::string& GetProgramsFolder() const { return programsFolder_; }
    void SetProgramsFolder(std::string_view v) { programsFolder_ = v; }
    const std::string& GetSourceFile() const { return sourceFile_; }
    void SetSourceFile(std::string_view v) { sourceFile_ = v; }
    const std::string& GetBoxName() const { return boxName_; }
    void SetBoxName(std::string_view v) { boxName_ = v; }
    bool GetUseBoxId() const { return useBoxId_; }
    void SetUseBoxId(bool v) { useBoxId_ = v; }

    // Sets the section's keys in `script`; false without a script.
    bool Write(WSetupData* script) const;

  private:
    std::string dependentComponents_;
    std::string programsFolder_;
    std::string sourceFile_;
    std::string boxName_;
    bool useBoxId_ = false;
};

}  // namespace vantrel
