#include "platform/build_time.h"

#include <cstdlib>
#include <cstring>

namespace vantrel {

bool FixedBuildTime(int64_t& seconds) {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (!text || !*text || std::strlen(text) > 12)
        return false;
    int64_t value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + (*p - '0');
    }
    seconds = value;
    return true;
}

std::string BuildTimeProblem() {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    int64_t seconds = 0;
    if (!text || !*text || FixedBuildTime(seconds))
        return {};
    return "SOURCE_DATE_EPOCH=\"" + std::string(text).substr(0, 40) +
           "\" is not a number of seconds since 1970";
}

std::time_t BuildTime() {
    int64_t fixed = 0;
    if (FixedBuildTime(fixed))
        return static_cast<std::time_t>(fixed);
    return std::time(nullptr);
}

}  // namespace vantrel
