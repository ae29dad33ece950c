// A link to an installed file in a Start-menu folder (type 6, section
// "Shortcut").
#pragma once

#include "elements/setup_element.h"

namespace vantrel {

// Record (16 fields): Tag, ShortcutFolder, ShortcutName, TargetDir,
// TargetName*, OsMask, ShortcutFlag, Arguments, WorkingDir, IconText1,
// IconText2, IconIndex, Uninstall, SelectMask, AuxFlag, Mode. Reading
// empties SourceDir; SourceName (the file in the project) is not recorded.
class WSetupShortcut : public WSetupElement {
  public:
    WSetupShortcut();
    WSetupShortcut(std::string_view record, bool expand);

    const char* ClassName() const override;
    std::unique_ptr<WSetupElement> Clone() const override;
    bool ReadRecord(std::string_view record, bool expand) override;
    std::string WriteRecord() const override;

    // Folder of the link, in folder-macro form.
    const std::string& GetShortcutFolder() const { return shortcutFolder_; }
    void SetShortcutFolder(std::string v) { shortcutFolder_ = std::move(v); }
    // Name of the link, also its description.
    const std::string& GetShortcutName() const { return shortcutName_; }
    void SetShortcutName(std::string v) { shortcutName_ = std::move(v); }
    int GetShortcutFlag() const { return shortcutFlag_; }
    void SetShortcutFlag(int v) { shortcutFlag_ = v; }
    const std::string& GetArguments() const { return arguments_; }
    void SetArguments(std::string v) { arguments_ = std::move(v); }
    const std::string& GetWorkingDir() const { return workingDir_; }
    void SetWorkingDir(std::string v) { workingDir_ = std::move(v); }
    const std::string& GetIconText1() const { return iconText1_; }
    void SetIconText1(std::string v) { iconText1_ = std::move(v); }
    const std::string& GetIconText2() const { return iconText2_; }
    void SetIconText2(std::string v) { iconText2_ = std::move(v); }
    int GetIconIndex() const { return iconIndex_; }
    void SetIconIndex(int v) { iconIndex_ = v; }

  private:
    static RecordLayout<WSetupShortcut> Fields();

    std::string shortcutFolder_;
    std::string shortcutName_;
    int shortcutFlag_ = 0;
    std::string arguments_;
    std::string workingDir_;
    std::string iconText1_;
    std::string iconText2_;
    int iconIndex_ = 0;
};

}  // namespace vantrel
