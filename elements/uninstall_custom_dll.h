// Call the entry of a library at uninstallation (type 15, section
// "UninstallDLL").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (7 fields): Tag, TargetDir, TargetName, DllArgument, OsMask,
// SelectMask, AuxFlag.
class WUninstallCustomDLL : public WSetupElement {
  public:
    WUninstallCustomDLL();
    WUninstallCustomDLL(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    const std::string& GetDllArgument() const { return dllArgument_; }
    void SetDllArgument(std::string v) { dllArgument_ = std::move(v); }

  private:
    static RecordLayout<WUninstallCustomDLL> Fields();

    std::string dllArgument_;
};

}  // namespace vantrel
