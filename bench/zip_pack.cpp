// zip_pack LEVEL ARCHIVE FOLDER [THREADS [names]]
//
// Packs every file below FOLDER (recursively, names relative to FOLDER) into
// ARCHIVE with the archive writer at deflate LEVEL, on THREADS threads (0 or
// none: the machine's processors, or VANTREL_THREADS), then prints the wall
// time and the peak resident size of this process. With "names", the files
// are named to the archive call one by one as a pattern list, the way the
// media builder names the files of a component ("dir\\a.txt,dir\\b.txt").
//   files=N bytes=N seconds=S peak_rss_kb=N
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive.h"
#include "archive/zip_archive.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace fs = std::filesystem;
using namespace vantrel;

int main(int argc, char** argv) {
    const bool byNames = argc == 6 && std::string(argv[5]) == "names";
    if (argc < 4 || argc > 6 || (argc == 6 && !byNames)) {
        std::fprintf(stderr, "usage: zip_pack LEVEL ARCHIVE FOLDER [THREADS [names]]\n");
        return 2;
    }
    int level = std::atoi(argv[1]);
    int threads = argc >= 5 ? std::atoi(argv[4]) : 0;
    std::string archive, folder;
    if (!FromNative(argv[2], archive) || !FromNative(argv[3], folder)) {
        std::fprintf(stderr, "zip_pack: a path holds characters Windows-1252 cannot hold\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();

    std::vector<ALZipArchive::Source> files;
    long long bytes = 0;
    std::error_code ec;
    const std::string root = fs::path(argv[3]).lexically_normal().string();
    const size_t skip = root.size() + (root.empty() || root.back() == '/' ? 0 : 1);
    for (fs::recursive_directory_iterator it(argv[3], ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        // The name relative to FOLDER, cut from the path (no system calls).
        const std::string native = it->path().lexically_normal().string();
        std::string name, path;
        if (!FromNative(native.substr(std::min(skip, native.size())), name) ||
            !FromNative(it->path(), path)) {
            continue;
        }
        bytes += static_cast<long long>(it->file_size());
        files.push_back({std::move(name), std::move(path)});
    }
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });

    if (byNames) {
        std::string patterns;
        for (const auto& file : files) {
            for (char c : file.name)
                patterns += c == '/' ? '\\' : c;
            patterns += ',';
        }
        std::string base = FileNameOf(archive);
        size_t dot = base.find_last_of('.');
        WArchive packer(dot == std::string::npos ? std::string() : base.substr(dot));
        packer.SetThreads(threads);
        if (!packer.Create(level, base, true, patterns, FolderOf(archive), folder, true)) {
            std::fprintf(stderr, "zip_pack: %s\n", packer.GetStatusText().c_str());
            return 1;
        }
    } else {
        ALZipArchive zip(archive);
        zip.SetThreads(threads);
        if (zip.Create(files, ALEngineFactory::Deflate(level)) < 0) {
            std::fprintf(stderr, "zip_pack: %s\n", zip.Status().GetStatusDetail().c_str());
            return 1;
        }
    }

    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("files=%zu bytes=%lld seconds=%.2f peak_rss_kb=%ld\n", files.size(), bytes, seconds,
                PeakResidentKiB());
    return 0;
}
