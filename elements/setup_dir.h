// Create a folder on the target machine (type 1, section "Dir").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (10 fields): Tag, TargetDir, TargetName, OsMask, Attributes,
// Uninstall, RemoveOnUninstall, SelectMask, AuxFlag, Mode.
class WSetupDir : public WSetupElement {
  public:
    WSetupDir();
    WSetupDir(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    // The folder's attributes, positions as in WSetupFile.
    const std::string& GetAttributes() const { return attributes_; }
    void SetAttributes(std::string v) { attributes_ = std::move(v); }
    const std::string& GetSavedAttributes() const { return savedAttributes_; }
    // At uninstallation the folder is removed only when this is 1.
    int GetRemoveOnUninstall() const { return removeOnUninstall_; }
    void SetRemoveOnUninstall(int v) { removeOnUninstall_ = v; }

  private:
    static RecordLayout<WSetupDir> Fields();

    std::string attributes_ = "100000";
    std::string savedAttributes_ = "100000";
    int removeOnUninstall_ = 1;
};

}  // namespace vantrel
