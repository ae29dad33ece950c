#include "platform/local_time.h"

namespace vantrel {

bool LocalTimeOf(std::time_t time, std::tm& out) {
    std::tm local{};
    if (::localtime_s(&local, &time) != 0)
        return false;
    out = local;
    return true;
}

}  // namespace vantrel
