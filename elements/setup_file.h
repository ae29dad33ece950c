// Copy one file to the target machine (type 13, section "File").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (19 fields): Tag, SourceDir, SourceName*, TargetDir, TargetName*,
// Size (whole part, decimal), Attributes, Overwrite, OsMask, ShareFlags,
// CheckValue, ExtraValue, Uninstall, RemoveOnUninstall, SelectMask, AuxFlag,
// FileFlag1, FileFlag2, Mode. (* expandable)
class WSetupFile : public WSetupElement {
  public:
    // Rules for a target that exists already.
    enum OverwriteRule { kAlways = 0, kNever = 1, kCheckVersion = 2, kCheckDate = 3, kAppend = 4 };
    // ShareFlags: decimal flags that are tested as bit masks.
    static constexpr int kShared = 100;

    WSetupFile();
    WSetupFile(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;
    // A plain file element with every setting of this one (for a font
    // element: the same file, no longer registered as a font).
    std::unique_ptr<WSetupFile> PlainFileCopy() const;
    // The record without its source: fields 2, 3, 15, 16 and 17 empty, no Mode.
    std::string GetInstalledRecord() const override;

    // Six '0'/'1' positions: Normal, Archive, Hidden, Read-only, System, Temporary.
    const std::string& GetAttributes() const { return attributes_.str(); }
    void SetAttributes(std::string_view v) { attributes_ = v; }
    const std::string& GetSavedAttributes() const { return savedAttributes_.str(); }
    const std::string& GetSavedSourceName() const {
        return savedIsSourceName_ ? sourceName_ : savedSourceName_;
    }
    int GetRemoveOnUninstall() const { return removeOnUninstall_; }
    void SetRemoveOnUninstall(int v) { removeOnUninstall_ = v; }
    int GetOverwrite() const { return overwrite_; }
    void SetOverwrite(int v) { overwrite_ = v; }
    int GetShareFlags() const { return shareFlags_; }
    void SetShareFlags(int v) { shareFlags_ = v; }
    const std::string& GetCheckValue() const { return checkValue_.str(); }
    void SetCheckValue(std::string_view v) { checkValue_ = v; }
    int GetExtraValue() const { return extraValue_; }
    void SetExtraValue(int v) { extraValue_ = v; }
    // Whether TargetDir holds a residual folder macro ("R>" or "R2>"); set by reading.
    int GetResidualTarget() const { return residualTarget_; }
    int GetFileFlag1() const { return fileFlag1_; }
    void SetFileFlag1(int v) { fileFlag1_ = v; }
    int GetFileFlag2() const { return fileFlag2_; }
    void SetFileFlag2(int v) { fileFlag2_ = v; }

  protected:
    explicit WSetupFile(int typeCode);
    // Fields 1 to 18 of the layout.
    void ReadFileFields(RecordReader& r);
    void WriteFileFields(RecordWriter& w) const;
    // Masks padded, Attributes made six characters long.
    void FinishReading();
    static RecordLayout<WSetupFile> FileFields();
    void KeepSavedSourceName() override;

    SharedText attributes_ = "100000";
    SharedText savedAttributes_ = "100000";
    // The source name as read is, until the source name changes, the
    // source name itself (savedIsSourceName_): no second copy of it is kept.
    std::string savedSourceName_;
    bool savedIsSourceName_ = false;
    int removeOnUninstall_ = 1;
    int overwrite_ = kNever;
    int shareFlags_ = 0;
    SharedText checkValue_ = "|||0";
    int extraValue_ = 1;
    int residualTarget_ = 0;
    int fileFlag1_ = 0;
    int fileFlag2_ = 0;
};

}  // namespace vantrel
