// The time a build writes into what it makes. With SOURCE_DATE_EPOCH set to
// a whole number of seconds since 1970 (the convention of reproducible
// builds), that time replaces the clock and the files' own times everywhere
// a set records a time, so that two builds of one project give the same
// bytes whenever they run.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace vantrel {

// True with the time when SOURCE_DATE_EPOCH holds one; a value that is not
// a plain non-negative number is not used (BuildTimeProblem names it).
bool FixedBuildTime(int64_t& seconds);

// Why SOURCE_DATE_EPOCH cannot be used ("SOURCE_DATE_EPOCH=\"x\" is not
// ..."), or empty when it is unset, empty or a number of seconds. Programs
// refuse to run with such a value instead of using the clock unasked.
std::string BuildTimeProblem();

// The fixed build time when there is one, else the current time.
std::time_t BuildTime();

}  // namespace vantrel
