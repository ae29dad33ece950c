// Copy a TrueType font and register it (type 2, section "TTFFile").
#pragma once

#include "elements/setup_file.h"

namespace vantrel {

// Record (20 fields): the 19 fields of WSetupFile, then TypefaceName. A
// record of 19 fields (without Mode) is read too: when the field after
// FileFlag2 is the record's last, it is the TypefaceName. In a full record
// the Mode field is passed over and Mode stays 644.
class WSetupTTFFile : public WSetupFile {
  public:
    WSetupTTFFile();
    WSetupTTFFile(std::string_view record, bool expand);
    // A font element with every setting of the file element `file`.
    WSetupTTFFile(const WSetupFile& file, std::string typefaceName);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    // Face name under which the font is registered.
    const std::string& GetTypefaceName() const { return typefaceName_; }
    void SetTypefaceName(std::string v) { typefaceName_ = std::move(v); }

  private:
    std::string typefaceName_;
};

}  // namespace vantrel
