// Write one entry of an INI-style profile file (type 3, section "Profle").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (12 fields): Tag, TargetDir, TargetName*, Section, Key, Value,
// OsMask, PreviousValue, Uninstall, RestorePrevious, SelectMask, AuxFlag.
// Reading empties SourceDir.
class WSetupProfileString : public WSetupElement {
  public:
    WSetupProfileString();
    WSetupProfileString(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    const std::string& GetSection() const { return section_; }
    void SetSection(std::string v) { section_ = std::move(v); }
    const std::string& GetKey() const { return key_; }
    void SetKey(std::string v) { key_ = std::move(v); }
    const std::string& GetValue() const { return value_; }
    void SetValue(std::string v) { value_ = std::move(v); }
    const std::string& GetPreviousValue() const { return previousValue_; }
    void SetPreviousValue(std::string v) { previousValue_ = std::move(v); }
    // At uninstallation write PreviousValue back instead of deleting the key.
    int GetRestorePrevious() const { return restorePrevious_; }
    void SetRestorePrevious(int v) { restorePrevious_ = v; }

  private:
    static RecordLayout<WSetupProfileString> Fields();

    std::string section_ = "Section";
    std::string key_ = "Key";
    std::string value_;
    std::string previousValue_;
    int restorePrevious_ = 1;
};

}  // namespace vantrel
