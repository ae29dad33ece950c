// A file of the runtime, installed by the setup engine from its own set
// (type 9, section "RuntimeFile").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (8 fields): Tag, TargetDir, TargetName*, OsMask, RuntimeOption,
// SelectMask, AuxFlag, Mode. Reading empties SourceDir and sets Uninstall.
class WSetupRuntimeFile : public WSetupElement {
  public:
    WSetupRuntimeFile();
    WSetupRuntimeFile(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    int GetRuntimeOption() const { return runtimeOption_; }
    void SetRuntimeOption(int v) { runtimeOption_ = v; }

  private:
    static RecordLayout<WSetupRuntimeFile> Fields();

    int runtimeOption_ = 1;
};

}  // namespace vantrel
