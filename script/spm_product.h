// The "Product" section of the product script: which product is installed,
// where, under which registry key and in which languages.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class WSetupData;

class WSPMProduct {
  public:
    static constexpr const char* kSection = "Product";

    WSPMProduct();
    virtual ~WSPMProduct() = default;

    const std::string& GetProductName() const { return productName_; }
    void SetProductName(std::string_view v) { productName_ = v; }
    const std::string& GetDisplayName() const { return displayName_; }
    void SetDisplayName(std::string_view v) { displayName_ = v; }
    const std::string& GetDestination() const { return destination_; }
    void SetDestination(std::string_view v) { destination_ = v; }
    // Registry key path under the machine's software key.
    const std::string& GetProductKey() const { return productKey_; }
    void SetProductKey(std::string_view v) { productKey_ = v; }
    const std::string& GetAlternateProductKey() const { return alternateProductKey_; }
    void SetAlternateProductKey(std::string_view v) { alternateProductKey_ = v; }
    const std::string& GetShortcutFolder() const { return shortcutFolder_; }
    void SetShortcutFolder(std::string_view v) { shortcutFolder_ = v; }
    const std::string& GetVersion() const { return version_; }
    void SetVersion(std::string_view v) { version_ = v; }
    const std::string& GetBillboardScript() const { return billboardScript_; }
    void SetBillboardScript(std::string_view v) { billboardScript_ = v; }
    const std::string& GetLoader() const { return loader_; }
    void SetLoader(std::string_view v) { loader_ = v; }
    const std::string& GetCustomCode() const { return customCode_; }
    void SetCustomCode(std::string_view v) { customCode_ = v; }
    // Comma-separated two-letter codes.
    const std::string& GetAvailableLocales() const { return availableLocales_; }
    void SetAvailableLocales(std::string_view v) { availableLocales_ = v; }
    const std::string& GetDefaultLocale() const { return defaultLocale_; }
    void SetDefaultLocale(std::string_view v) { defaultLocale_ = v; }
    const std::string& GetForcedLocale() const { return forcedLocale_; }
    void SetForcedLocale(std::string_view v) { forcedLocale_ = v; }
    bool GetForceReboot() const { return forceReboot_; }
    void SetForceReboot(bool v) { forceReboot_ = v; }
    bool GetResidual() const { return residual_; }
    void SetResidual(bool v) { residual_ = v; }
    int GetInstallType() const { return installType_; }
    void SetInstallType(int v) { installType_ = v; }

    // Sets the section's keys in `script` (adding what is missing); false
    // without a script.
    bool Write(WSetupData* script) const;
    // Reads every key back; empty product name, display name, destination,
    // product key, shortcut folder, version, locale list and default locale
    // get their defaults. False, changing nothing, without a script.
    bool Read(const WSetupData* script);

  private:
    std::string productName_;
    std::string displayName_;
    std::string destination_;
    std::string productKey_;
    std::string alternateProductKey_;
    std::string shortcutFolder_;
    std::string version_;
    std::string billboardScript_;
    std::string loader_;
    std::string customCode_;
    std::string availableLocales_;
    std::string defaultLocale_;
    std::string forcedLocale_;
    bool forceReboot_ = false;
    bool residual_ = false;
    int installType_ = 0;
};

}  // namespace vantrel
