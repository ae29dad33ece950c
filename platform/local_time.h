// Calendar time in the local time zone.
#pragma once

#include <ctime>

namespace vantrel {

// `time` as local calendar time (thread-safe); false when it cannot be
// converted, `out` then unchanged.
bool LocalTimeOf(std::time_t time, std::tm& out);

}  // namespace vantrel
