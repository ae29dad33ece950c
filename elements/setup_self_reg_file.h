// A self-registering library, registered at installation and unregistered
// at uninstallation (type 12, section "SelfRegister").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (8 fields): Tag, TargetDir, TargetName, OsMask, Uninstall,
// SelectMask, AuxFlag, Mode.
class WSetupSelfRegFile : public WSetupElement {
  public:
    WSetupSelfRegFile();
    WSetupSelfRegFile(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

  private:
    static RecordLayout<WSetupSelfRegFile> Fields();
};

}  // namespace vantrel
