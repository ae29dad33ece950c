// Run a program at installation (type 7, section "Execute").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// How the setup engine starts a program of an Execute or UninstallExe element.
enum RunMethod : int {
    kRunAndPump = 1,     // start it and wait, keeping the window responsive
    kRunDetached = 2,    // start it without waiting
    kRunShellOpen = 3,   // open it through the shell
    kRunCommandLine = 4  // run "program parameters"
};

// Record (10 fields): Tag, TargetDir, TargetName, Parameters, OsMask,
// RunMethod, Uninstall, SelectMask, AuxFlag, Mode.
class WSetupExecutable : public WSetupElement {
  public:
    WSetupExecutable();
    WSetupExecutable(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    const std::string& GetParameters() const { return parameters_; }
    void SetParameters(std::string v) { parameters_ = std::move(v); }
    int GetRunMethod() const { return runMethod_; }
    void SetRunMethod(int v) { runMethod_ = v; }

  private:
    static RecordLayout<WSetupExecutable> Fields();

    std::string parameters_;
    int runMethod_ = kRunAndPump;
};

}  // namespace vantrel
