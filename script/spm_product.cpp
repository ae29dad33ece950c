#include "script/spm_product.h"

#include "platform/strings.h"
#include "scriptfile/setup_data.h"

namespace vantrel {

namespace {
constexpr const char* kProductName = "OxbelPRODUCT";
constexpr const char* kDestination = "Oxbel\\Product9";
constexpr const char* kProductKey = "Software\\Oxbel\\OxbelPRODUCT\\9.0";
constexpr const char* kVersion = "9.0";
constexpr const char* kLocales =
    "BR,CF,CZ,DE,DK,ES,FR,GR,HR,IT,MA,NL,NO,OZ,PL,PO,RU,SL,SO,SU,SV,TR,UK,US,YK,JP,CS,CT";
constexpr const char* kDefaultLocale = "US";
}  // namespace

WSPMProduct::WSPMProduct()
    : productName_(kProductName),
      displayName_(kProductName),
      destination_(kDestination),
      productKey_(kProductKey),
      shortcutFolder_(kProductName),
      version_(kVersion),
      billboardScript_("Setup\\BBoards.bil"),
      availableLocales_(kLocales),
      defaultLocale_(kDefaultLocale) {}

bool WSPMProduct::Write(WSetupData* script) const {
    if (!script)
        return false;
    auto set = [script](const char* key, const std::string& value) {
        script->SetValue(kSection, key, value, true);
    };
    set("ProductName", productName_);
    set("ProductDisplayName", displayName_);
    set("Destination", destination_);
    set("Product Key", productKey_);
    set("Alternate Product Key", alternateProductKey_);
    set("ShortcutFolder", shortcutFolder_);
    set("Version", version_);
    set("Billboard Script", billboardScript_);
    set("Loader", loader_);
    set("CustomCode", customCode_);
    set("Available Locale", availableLocales_);
    set("Default Locale", defaultLocale_);
    set("Force Locale", forcedLocale_);
    set("FORCEREBOOT", forceReboot_ ? "1" : "0");
    set("Residual", residual_ ? "1" : "0");
    set("InstallType", std::to_string(installType_));
    return true;
}

bool WSPMProduct::Read(const WSetupData* script) {
    if (!script)
        return false;
    std::string value;
    // A missing or empty key takes `fallback` (nullptr: stays empty).
    auto get = [script, &value](const char* key, std::string& field, const char* fallback) {
        script->GetValue(kSection, key, value);
        field = value.empty() && fallback ? std::string(fallback) : value;
    };
    get("ProductName", productName_, kProductName);
    get("ProductDisplayName", displayName_, kProductName);
    get("Destination", destination_, kDestination);
    get("Product Key", productKey_, kProductKey);
    get("Alternate Product Key", alternateProductKey_, nullptr);
    get("ShortcutFolder", shortcutFolder_, kProductName);
    get("Version", version_, kVersion);
    get("Billboard Script", billboardScript_, nullptr);
    get("Loader", loader_, nullptr);
    get("CustomCode", customCode_, nullptr);
    get("Available Locale", availableLocales_, kLocales);
    get("Default Locale", defaultLocale_, kDefaultLocale);
    get("Force Locale", forcedLocale_, nullptr);
    // Leading decimal digits as the C library reads them; none gives 0.
    script->GetValue(kSection, "FORCEREBOOT", value);
    forceReboot_ = ToInt(value) != 0;
    script->GetValue(kSection, "Residual", value);
    residual_ = ToInt(value) != 0;
    script->GetValue(kSection, "InstallType", value);
    installType_ = static_cast<int>(ToInt(value));
    return true;
}

}  // namespace vantrel
