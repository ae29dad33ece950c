// zip_pack LEVEL ARCHIVE FOLDER [THREADS]
//
// Packs every file below FOLDER (recursively, names relative to FOLDER) into
// ARCHIVE with the archive writer at deflate LEVEL, on THREADS threads (by
// default the machine's processors, or VANTREL_THREADS), then prints the
// wall time and the peak resident size of this process:
//   files=N bytes=N seconds=S peak_rss_kb=N
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/zip_archive.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace fs = std::filesystem;
using namespace vantrel;

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: zip_pack LEVEL ARCHIVE FOLDER [THREADS]\n");
        return 2;
    }
    int level = std::atoi(argv[1]);
    int threads = argc == 5 ? std::atoi(argv[4]) : 0;
    std::string archive, folder;
    if (!FromNative(argv[2], archive) || !FromNative(argv[3], folder)) {
        std::fprintf(stderr, "zip_pack: a path holds characters Windows-1252 cannot hold\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();

    std::vector<ALZipArchive::Source> files;
    long long bytes = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(argv[3], ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        std::string name, path;
        if (!FromNative(fs::relative(it->path(), argv[3]), name) || !FromNative(it->path(), path)) {
            continue;
        }
        bytes += static_cast<long long>(it->file_size());
        files.push_back({std::move(name), std::move(path)});
    }
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });

    ALZipArchive zip(archive);
    zip.SetThreads(threads);
    if (zip.Create(files, ALEngineFactory::Deflate(level)) < 0) {
        std::fprintf(stderr, "zip_pack: %s\n", zip.Status().GetStatusDetail().c_str());
        return 1;
    }

    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("files=%zu bytes=%lld seconds=%.2f peak_rss_kb=%ld\n", files.size(), bytes, seconds,
                PeakResidentKiB());
    return 0;
}
