// Write one registry key or value on the target machine (type 16, section
// "RegistryKeys").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (13 fields): Tag, RootKey, KeyPath*, ValueName*, ValueData*,
// ValueType, OsMask, Uninstall, RemoveSubkeys, SelectMask, AuxFlag,
// PreviousValue, RestorePrevious. Reading empties SourceDir and TargetDir.
class WSetupRegEntry : public WSetupElement {
  public:
    WSetupRegEntry();
    WSetupRegEntry(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    // "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", ...
    const std::string& GetRootKey() const { return rootKey_; }
    void SetRootKey(std::string v) { rootKey_ = std::move(v); }
    const std::string& GetKeyPath() const { return keyPath_; }
    void SetKeyPath(std::string v) { keyPath_ = std::move(v); }
    // Empty: the key's default value.
    const std::string& GetValueName() const { return valueName_; }
    void SetValueName(std::string v) { valueName_ = std::move(v); }
    const std::string& GetValueData() const { return valueData_; }
    void SetValueData(std::string v) { valueData_ = std::move(v); }
    const std::string& GetValueType() const { return valueType_; }
    void SetValueType(std::string v) { valueType_ = std::move(v); }
    int GetRemoveSubkeys() const { return removeSubkeys_; }
    void SetRemoveSubkeys(int v) { removeSubkeys_ = v; }
    const std::string& GetPreviousValue() const { return previousValue_; }
    void SetPreviousValue(std::string v) { previousValue_ = std::move(v); }
    int GetRestorePrevious() const { return restorePrevious_; }
    void SetRestorePrevious(int v) { restorePrevious_ = v; }

  private:
    static RecordLayout<WSetupRegEntry> Fields();

    std::string rootKey_;
    std::string keyPath_;
    std::string valueName_;
    std::string valueData_;
    std::string valueType_;
    int removeSubkeys_ = 0;
    std::string previousValue_;
    int restorePrevious_ = 0;
};

}  // namespace vantrel
