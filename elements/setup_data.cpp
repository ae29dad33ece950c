#include "elements/setup_data.h"

namespace vantrel {

WSetupData::WSetupData() { header_.SetModuleType("PRODUCT"); }

}  // namespace vantrel
