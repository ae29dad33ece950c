// The product script in memory: a script data object that keeps, when
// loading, only the sections the product script is made of.
#pragma once

#include <string>
#include <vector>

#include "scriptfile/setup_data.h"

namespace vantrel {

class WSetupProductData : public WSetupData {
  public:
    WSetupProductData() = default;

    // The sections Load keeps, in this order; names compare exactly.
    static const std::vector<std::string>& ProductSections();

  protected:
    bool KeepsSection(const std::string& name) const override;
};

}  // namespace vantrel
