// The font-name reader: any file gives a name of at most the byte limit's
// characters, or an empty name; a name never comes with an error, an error
// always names the file; nothing is thrown.
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/paths.h"
#include "project/truetype_name.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = JoinPath(fuzz::CleanScratchFolder(), "font.ttf");
    fuzz::WriteInput(path, fuzz::AsText(data, size));
    std::string error;
    const std::string name = ReadFontName(path, &error);
    FUZZ_CHECK(name.size() <= kFontNameByteLimit / 2, name);
    FUZZ_CHECK(name.empty() || error.empty(), name + "\n  " + error);
    FUZZ_CHECK(error.empty() || error.find(DisplayPath(path)) != std::string::npos, error);
    FUZZ_CHECK(name.find('\0') == std::string::npos, name);
    FUZZ_CHECK(ReadFontName(path) == name, name);
    return 0;
}
