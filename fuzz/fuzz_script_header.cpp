// Script stamping and verification: any file reads without harm; a stamped
// file verifies with its checksum; stamping again keeps the body; the file
// and the in-memory stamping give the same body.
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "scriptfile/script_header.h"

using namespace vantrel;

namespace {

// The text after the header block's end line.
std::string BodyOf(const std::string& stamped) {
    const std::string end = std::string("[") + WScriptHeader::kEndName + "]";
    size_t at = stamped.find(end);
    FUZZ_CHECK(at != std::string::npos, stamped);
    return stamped.substr(at + end.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes = fuzz::AsText(data, size);
    const std::string path = JoinPath(fuzz::CleanScratchFolder(), "setup.kvz");
    fuzz::WriteInput(path, bytes);

    WScriptHeader read;
    read.SetFilePath(path);
    read.Read(true, true);
    WScriptHeader lazy;
    lazy.SetFilePath(path);
    lazy.GetModuleType();
    lazy.GetVersion();

    WScriptHeader header;
    header.SetFilePath(path);
    header.SetModuleType("PRODUCT");
    FUZZ_CHECK(header.Stamp(), path);
    std::string first;
    FUZZ_CHECK(ReadWholeFile(path, first), path);

    WScriptHeader check;
    check.SetFilePath(path);
    const int bits = check.Read(true, true);
    FUZZ_CHECK((bits & ~WScriptHeader::kLongLine) == 0, std::to_string(bits) + "\n" + first);
    FUZZ_CHECK(check.ModuleType() == "PRODUCT", first);

    FUZZ_CHECK(header.Stamp(), path);
    std::string second;
    FUZZ_CHECK(ReadWholeFile(path, second), path);
    FUZZ_CHECK(BodyOf(second) == BodyOf(first), second);

    WScriptHeader memory;
    memory.SetModuleType("PRODUCT");
    const std::string inMemory = memory.StampedText(WScriptHeader::SplitLines(bytes));
    FUZZ_CHECK(BodyOf(inMemory) == BodyOf(first), inMemory);
    return 0;
}
