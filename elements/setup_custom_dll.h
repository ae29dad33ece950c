// Call the entry of a library at installation (type 8, section "CustomDll").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (9 fields): Tag, TargetDir, TargetName, DllArgument, OsMask,
// Uninstall, SelectMask, AuxFlag, NoInstallCall.
class WSetupCustomDLL : public WSetupElement {
  public:
    WSetupCustomDLL();
    WSetupCustomDLL(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    // Text handed to the library's entry.
    const std::string& GetDllArgument() const { return dllArgument_; }
    void SetDllArgument(std::string v) { dllArgument_ = std::move(v); }
    // 1: the installation step does not call the library.
    int GetNoInstallCall() const { return noInstallCall_; }
    void SetNoInstallCall(int v) { noInstallCall_ = v; }

  private:
    static RecordLayout<WSetupCustomDLL> Fields();

    std::string dllArgument_;
    int noInstallCall_ = 0;
};

}  // namespace vantrel
