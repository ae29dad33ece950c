#include "scriptfile/setup_product_data.h"

#include <algorithm>

namespace vantrel {

const std::vector<std::string>& WSetupProductData::ProductSections() {
    static const std::vector<std::string> sections = {
        "Product",
        "UI",
        "BACKGROUND",
        "AdminComponents",
        "SystemRequirements",
        "PageComponents",
        "PageColorProfiles",
        "PageDigitalCameras",
        "PageDestination",
        "PageFilters",
        "PageFonts",
        "PageDictionary",
        "PageLicense",
        "PageNetAdminOptions",
        "PageInstallType",
        "PageReady",
        "PageRecover",
        "PageWorkspace",
        "PageShortcutFolder",
        "PageTempFolder",
        "PageUser",
        "PageAbout",
        "PageWSResidual",
        "BOXID",
        "Strings",
    };
    return sections;
}

bool WSetupProductData::KeepsSection(const std::string& name) const {
    const auto& sections = ProductSections();
    return std::find(sections.begin(), sections.end(), name) != sections.end();
}

}  // namespace vantrel
