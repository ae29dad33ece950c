// Keep a copy ("Backup Of ...") of a file on the target machine (type 0,
// section "BackFile").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (7 fields): Tag, TargetDir, TargetName, OsMask, SelectMask, AuxFlag,
// Mode. There is no Uninstall field.
class WSetupBackupFile : public WSetupElement {
  public:
    WSetupBackupFile();
    WSetupBackupFile(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;
};

}  // namespace vantrel
