// Copy registry data from one key to another at installation (type 10,
// section "RuntimeRegEntry").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (8 fields): Tag, FromKey, ToKey, OsMask, RuntimeRegFlag, CopyWhat,
// SelectMask, AuxFlag. Reading empties SourceDir and TargetDir.
class WSetupRuntimeRegEntry : public WSetupElement {
  public:
    WSetupRuntimeRegEntry();
    WSetupRuntimeRegEntry(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    // Full key paths beginning with a root key name.
    const std::string& GetFromKey() const { return fromKey_; }
    void SetFromKey(std::string v) { fromKey_ = std::move(v); }
    const std::string& GetToKey() const { return toKey_; }
    void SetToKey(std::string v) { toKey_ = std::move(v); }
    // "VALUE" copies a single value.
    const std::string& GetCopyWhat() const { return copyWhat_; }
    void SetCopyWhat(std::string v) { copyWhat_ = std::move(v); }
    int GetRuntimeRegFlag() const { return runtimeRegFlag_; }
    void SetRuntimeRegFlag(int v) { runtimeRegFlag_ = v; }

  private:
    static RecordLayout<WSetupRuntimeRegEntry> Fields();

    std::string fromKey_;
    std::string toKey_;
    std::string copyWhat_;
    int runtimeRegFlag_ = 0;
};

}  // namespace vantrel
