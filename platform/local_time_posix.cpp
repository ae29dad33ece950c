#include "platform/local_time.h"

namespace vantrel {

bool LocalTimeOf(std::time_t time, std::tm& out) {
    std::tm local{};
    if (!::localtime_r(&time, &local))
        return false;
    out = local;
    return true;
}

}  // namespace vantrel
