// Merge a registry file into the target machine's registry (type 5,
// section "RegFile").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (7 fields): Tag, TargetDir, TargetName, OsMask, SelectMask, AuxFlag,
// Mode. The Mode field is written but not read back: Mode stays 644.
class WSetupRegFile : public WSetupElement {
  public:
    WSetupRegFile();
    WSetupRegFile(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;
};

}  // namespace vantrel
