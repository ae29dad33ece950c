// Helpers shared by the fuzz harnesses: a failed check that libFuzzer
// reports as a finding, and a scratch folder of the process's own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace vantrel::fuzz {

// Prints what was expected and aborts, so that libFuzzer saves the input.
[[noreturn]] void Fail(const char* file, int line, const char* what, std::string_view detail);

#define FUZZ_CHECK(cond, detail)                                      \
    do {                                                              \
        if (!(cond))                                                  \
            ::vantrel::fuzz::Fail(__FILE__, __LINE__, #cond, detail); \
    } while (0)

// The input as text.
inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder made once per process under the system's temporary folder and
// removed at exit; every call empties it first.
const std::string& CleanScratchFolder();

// Writes `bytes` to `path`, replacing it; aborts when it cannot.
void WriteInput(const std::string& path, std::string_view bytes);

// Every path below `folder` (files, folders and links, not followed),
// relative to it.
std::set<std::string> TreeBelow(const std::string& folder);

}  // namespace vantrel::fuzz
