// Delete a file on the target machine (type 11, section "DeleteFile").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (7 fields): Tag, TargetDir, TargetName, OsMask, Uninstall,
// SelectMask, AuxFlag.
class WSetupDeleteFile : public WSetupElement {
  public:
    WSetupDeleteFile();
    WSetupDeleteFile(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

  private:
    static RecordLayout<WSetupDeleteFile> Fields();
};

}  // namespace vantrel
