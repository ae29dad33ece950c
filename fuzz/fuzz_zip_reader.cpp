// The ZIP reader and extractor: any archive reads and extracts without harm,
// and extraction writes nothing outside its destination: not beside it, not
// through a symbolic link that points out of it, not into the archive.
#include <filesystem>
#include <set>
#include <string>

#include "archive/al_entry.h"
#include "archive/zip_reader.h"
#include "fuzz/fuzz_support.h"
#include "platform/files.h"
#include "platform/paths.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    // scratch/in.zip, scratch/outside/, scratch/a/b/dest/ with a link
    // "dest/out" to scratch/outside.
    const std::string scratch = fuzz::CleanScratchFolder();
    const std::string archive = JoinPath(scratch, "in.zip");
    const std::string outside = JoinPath(scratch, "outside");
    const std::string dest = JoinPath(scratch, "a/b/dest");
    fuzz::WriteInput(archive, bytes);
    FUZZ_CHECK(MakeFolders(outside) && MakeFolders(dest), dest);
    std::error_code ec;
    std::filesystem::create_directory_symlink(outside, JoinPath(dest, "out"), ec);
    FUZZ_CHECK(!ec, ec.message());
    const std::set<std::string> before = fuzz::TreeBelow(scratch);

    ALZipReader reader(archive);
    ALEntryList list;
    if (reader.ReadDirectory(list) == 0) {
        FUZZ_CHECK(list.Size() <= size, std::to_string(list.Size()));
        reader.Extract(list, dest);
    }

    std::string after;
    FUZZ_CHECK(ReadWholeFile(archive, after) && after == bytes, "the archive changed");
    FUZZ_CHECK(fuzz::TreeBelow(outside).empty(), "written through the link");
    for (const std::string& path : fuzz::TreeBelow(scratch)) {
        if (path.rfind("a/b/dest/", 0) != 0)
            FUZZ_CHECK(before.count(path) == 1, "written outside: " + path);
    }
    return 0;
}
