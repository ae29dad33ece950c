// Run a program at uninstallation (type 14, section "UninstallExe").
#pragma once

#include "elements/setup_executable.h"

namespace vantrel {

// Record (8 fields): Tag, TargetDir, TargetName, Parameters, OsMask,
// RunMethod, SelectMask, AuxFlag. No Uninstall, no Mode.
class WUnistallExecutable : public WSetupElement {
  public:
    WUnistallExecutable();
    WUnistallExecutable(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    const std::string& GetParameters() const { return parameters_; }
    void SetParameters(std::string v) { parameters_ = std::move(v); }
    int GetRunMethod() const { return runMethod_; }
    void SetRunMethod(int v) { runMethod_ = v; }

  private:
    static RecordLayout<WUnistallExecutable> Fields();

    std::string parameters_;
    int runMethod_ = kRunAndPump;
};

}  // namespace vantrel
