// The "UI" section of the product script: the setup's string file, resource
// library, page sequence and font.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class WSetupData;

class WSPMUi {
  public:
    static constexpr const char* kSection = "UI";

    WSPMUi();
    virtual ~WSPMUi() = default;

    const std::string& GetStringFile() const { return stringFile_; }
    void SetStringFile(std::string_view v) { stringFile_ = v; }
    const std::string& GetResourceLibrary() const { return resourceLibrary_; }
    void SetResourceLibrary(std::string_view v) { resourceLibrary_ = v; }
    // Page names separated by blanks.
    const std::string& GetPages() const { return pages_; }
    void SetPages(std::string_view v) { pages_ = v; }
    const std::string& GetCharSet() const { return charSet_; }
    void SetCharSet(std::string_view v) { charSet_ = v; }
    const std::string& GetFontName() const { return fontName_; }
    void SetFontName(std::string_view v) { fontName_ = v; }

    // Sets the section's keys in `script`; false without a script.
    bool Write(WSetupData* script) const;

  private:
    std::string stringFile_;
    std::string resourceLibrary_;
    std::string pages_;
    std::string charSet_;
    std::string fontName_;
};

}  // namespace vantrel
