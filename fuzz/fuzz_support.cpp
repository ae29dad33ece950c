#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vantrel::fuzz {

namespace fs = std::filesystem;

void Fail(const char* file, int line, const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %.*s\n", file, line, what,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

namespace {

struct Scratch {
    std::string path;
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "vantrel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            Fail(__FILE__, __LINE__, "mkdtemp", pattern);
        path = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

}  // namespace

const std::string& CleanScratchFolder() {
    static Scratch scratch;
    std::error_code ec;
    for (auto& entry : fs::directory_iterator(scratch.path, ec)) {
        std::error_code ignored;
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(entry.path(), ignored);
    }
    return scratch.path;
}

void WriteInput(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail(__FILE__, __LINE__, "WriteInput", path);
}

std::set<std::string> TreeBelow(const std::string& folder) {
    std::set<std::string> paths;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::none, ec), end;
    for (; !ec && it != end; it.increment(ec))
        paths.insert(fs::path(it->path()).lexically_relative(folder).string());
    return paths;
}

}  // namespace vantrel::fuzz
