// Replace a text in an installed text file (type 4, section "CustFile").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (9 fields): Tag, TargetDir, TargetName*, SearchText, ReplaceText*,
// OsMask, Uninstall, SelectMask, AuxFlag. Reading empties SourceDir.
class WSetupCustFile : public WSetupElement {
  public:
    WSetupCustFile();
    WSetupCustFile(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    const std::string& GetSearchText() const { return searchText_; }
    void SetSearchText(std::string v) { searchText_ = std::move(v); }
    const std::string& GetReplaceText() const { return replaceText_; }
    void SetReplaceText(std::string v) { replaceText_ = std::move(v); }

  private:
    static RecordLayout<WSetupCustFile> Fields();

    std::string searchText_ = "Search";
    std::string replaceText_ = "Replace";
};

}  // namespace vantrel
