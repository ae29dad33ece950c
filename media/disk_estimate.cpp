#include "media/disk_estimate.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <span>
#include <system_error>
#include <thread>

#include "archive/al_deflate_engine.h"
#include "archive/al_pack_pool.h"
#include "elements/setup_element.h"
#include "media/disk_set.h"
#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/wildcard.h"
#include "project/project_data.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

// A ZIP member's records besides its data: the local header and the central
// directory record, each with the name.
constexpr int64_t kMemberRecords = 30 + 46;
// The files the build writes into "Setup" (scripts, log), before they exist.
constexpr int64_t kScriptBytes = 4096;

// The room a member takes in a disk's own archive besides its bytes, as the
// disk set counts it.
int64_t EntryCost(size_t nameLength, int64_t size) {
    return 30 + 46 + 2 * static_cast<int64_t>(nameLength) + 5 * (size / 8192 + 2);
}

// Stored deflate blocks: five bytes for every 64 KB or part of it.
int64_t StoredSize(int64_t size) {
    return size + 5 * (size / 65535 + 1);
}

// Deflates `data` as the archive writer does it: in pieces, each primed with
// the 32 KB before it.
int64_t DeflateAll(int level, std::span<const unsigned char> data) {
    std::vector<unsigned char> out;
    const size_t piece = ALDeflateCompressor::kPieceSize;
    for (size_t at = 0; at < data.size() || at == 0; at += piece) {
        const size_t from = at > ALDeflateCompressor::kDictionarySize
                                ? at - ALDeflateCompressor::kDictionarySize
                                : 0;
        const size_t count = std::min(piece, data.size() - at);
        const bool last = at + count >= data.size();
        if (ALDeflateCompressor::DeflatePiece(level, data.subspan(from, at - from),
                                              data.subspan(at, count), last, out) != 0)
            return static_cast<int64_t>(data.size());
        if (last)
            break;
    }
    return static_cast<int64_t>(out.size());
}

bool ReadRun(FileHandle& file, int64_t offset, int64_t count, std::vector<unsigned char>& data) {
    data.resize(static_cast<size_t>(count));
    size_t got = 0;
    return file.ReadFullAt(offset, data.data(), data.size(), got) && got == data.size();
}

}  // namespace

void WDiskEstimate::Clear() {
    archives_.clear();
    startProgram_ = 0;
    approximate_ = false;
    deflatedIn_ = deflatedOut_ = 0;
}

double WDiskEstimate::DeflatedSize(const std::string& path, int64_t size, int level, bool& exact) {
    exact = false;
    if (size <= 0)
        return 0;
    // Past the budget, the ratio found so far.
    auto byRatio = [&] {
        const double ratio =
            deflatedIn_ > 0 ? static_cast<double>(deflatedOut_) / deflatedIn_ : 1.0;
        return static_cast<double>(size) * std::min(ratio, 1.0);
    };
    const bool whole = size <= kWholeLimit;
    const int64_t needed = whole ? size : kSampleRun * kSampleRuns;
    // A file past the budget is not opened at all.
    if (deflatedIn_ + needed > kBudget)
        return byRatio();
    FileHandle file;
    if (!file.Open(path, FileHandle::Mode::kReadFileOnly))
        return static_cast<double>(size);

    std::vector<unsigned char> data;
    // The writer stores the rest of a file whose first bytes do not shrink.
    const int64_t probe = std::min<int64_t>(size, ALDeflateCompressor::kProbeSize);
    if (!ReadRun(file, 0, whole ? size : probe, data))
        return static_cast<double>(size);
    if (whole) {
        const int64_t out = DeflateAll(level, data);
        deflatedIn_ += size;
        deflatedOut_ += std::min(out, StoredSize(size));
        exact = true;
        return static_cast<double>(std::min(out, StoredSize(size)));
    }
    int64_t in = probe;
    int64_t out = DeflateAll(level, data);
    if (out >= probe) {
        deflatedIn_ += probe;
        deflatedOut_ += probe;
        exact = true;
        return static_cast<double>(out + StoredSize(size - probe));
    }
    // Runs spread over the rest of the file.
    for (int k = 1; k < kSampleRuns; ++k) {
        const int64_t at = (size - kSampleRun) * k / (kSampleRuns - 1);
        if (!ReadRun(file, at, kSampleRun, data))
            return static_cast<double>(size);
        in += kSampleRun;
        out += DeflateAll(level, data);
    }
    deflatedIn_ += in;
    deflatedOut_ += out;
    return static_cast<double>(size) * static_cast<double>(out) / static_cast<double>(in);
}

size_t WDiskEstimate::DeflateWholeRun(const std::vector<Member>& members, size_t from, int level,
                                      std::vector<double>& data, std::vector<char>& exact) {
    // The run: the small files from `from` on that the budget holds if each
    // is read (a file that cannot be read takes none of it, so those that
    // follow it fit all the more).
    size_t end = from;
    for (int64_t in = deflatedIn_; end < members.size(); ++end) {
        const Member& m = members[end];
        if (m.path.empty() || m.size <= 0 || m.size > kWholeLimit || in + m.size > kBudget)
            break;
        in += m.size;
    }
    const size_t count = end - from;
    const int threads = static_cast<int>(
        std::min<size_t>(static_cast<size_t>(ALPackPool::DefaultThreads()), count));
    if (count < 2 || threads < 2)
        return from;

    // Each file deflated whole on the next free thread; -1: not read.
    std::vector<int64_t> out(count, -1);
    std::atomic<size_t> next{0};
    auto work = [&] {
        std::vector<unsigned char> buffer;
        for (size_t i; (i = next.fetch_add(1)) < count;) {
            const Member& m = members[from + i];
            try {
                FileHandle file;
                if (file.Open(m.path, FileHandle::Mode::kReadFileOnly) &&
                    ReadRun(file, 0, m.size, buffer))
                    out[i] = DeflateAll(level, buffer);
            } catch (const std::bad_alloc&) {
                // Counted as not read: the file's size stands.
            }
        }
    };
    std::vector<std::thread> helpers;
    try {
        for (int t = 1; t < threads; ++t)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer helpers; this thread does the rest.
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();

    // Counted in order, as one file after the other would be.
    for (size_t i = 0; i < count; ++i) {
        const int64_t size = members[from + i].size;
        if (out[i] < 0) {
            data[from + i] = static_cast<double>(size);
            continue;
        }
        const int64_t packed = std::min(out[i], StoredSize(size));
        deflatedIn_ += size;
        deflatedOut_ += packed;
        data[from + i] = static_cast<double>(packed);
        exact[from + i] = 1;
    }
    return end;
}

void WDiskEstimate::AddArchive(const std::string& name, const std::vector<Member>& members,
                               int level) {
    std::vector<double> data(members.size());
    std::vector<char> exact(members.size());
    for (size_t i = 0; i < members.size();) {
        if (size_t next = DeflateWholeRun(members, i, level, data, exact); next > i) {
            i = next;
            continue;
        }
        const Member& m = members[i];
        bool whole = false;
        data[i] = m.path.empty() ? static_cast<double>(m.size)
                                 : DeflatedSize(m.path, m.size, level, whole);
        exact[i] = whole;
        ++i;
    }
    double bytes = 22;  // the end record
    for (size_t i = 0; i < members.size(); ++i) {
        const Member& m = members[i];
        // Only a compressible file that was not measured whole leaves doubt.
        if (!exact[i] && !m.path.empty())
            approximate_ = true;
        bytes += data[i] + static_cast<double>(kMemberRecords + 2 * m.name.size());
    }
    archives_.push_back({name + WDiskSet::kExtension, static_cast<int64_t>(bytes + 0.5)});
}

void WDiskEstimate::AddEngine(const WProjectData& project,
                              const std::vector<std::string>& engineFiles, int engineRootLast) {
    std::vector<Member> swintl, setup;
    for (size_t i = 0; i < engineFiles.size(); ++i) {
        const std::string& path = engineFiles[i];
        const std::string name = FileNameOf(path);
        const int64_t size = std::max<int64_t>(FileSizeOf(path), 0);
        const bool root = static_cast<int>(i) <= engineRootLast;
        if (root) {
            if (WildcardMatch("Setup*.exe", name) || WildcardMatch("Uninst*.exe", name))
                setup.push_back({path, name, size});
            continue;
        }
        const std::string inSetup = "Setup\\" + name;
        setup.push_back({path, inSetup, size});
        if (WildcardMatch("swintl*.dll", name))
            swintl.push_back({path, inSetup, size});
        if (EqualsNoCase(name, "setup.exe"))
            startProgram_ = size;
    }
    // The set's own files in "Setup": the scripts, the log and the texts.
    for (const char* script : {"project.kvz", "comp.kvz", "string.str", "setup.log"})
        setup.push_back({{}, std::string("Setup\\") + script, kScriptBytes});
    if (project.DisplayLicense)
        setup.push_back(
            {{}, "Setup\\license.txt", static_cast<int64_t>(project.LicenseText.size())});
    if (project.DisplayRelease)
        setup.push_back(
            {{}, "Setup\\release.txt", static_cast<int64_t>(project.ReleaseText.size())});
    AddArchive("swintl", swintl, 9);
    AddArchive("Setup files", setup, 6);
}

void WDiskEstimate::AddComponent(const WProjectData& project, const WSetupComponent& component) {
    std::vector<Member> members;
    for (int type : kFileElementTypes) {
        for (const auto& e : component.Elements(type)) {
            const std::string& name = e->GetSourceName();
            std::string source;
            if (component.IsApplicationComponent())
                source = JoinPath(e->GetSourceDir(), FileNameOf(name));
            else if (!project.InstallLocation.empty())
                source = ResolveNoCase(JoinPath(project.InstallLocation, name));
            FileInfo info;
            const bool there = !source.empty() && GetFileInfo(source, info) && info.isFile;
            members.push_back(
                {there ? source : std::string(), name,
                 there ? static_cast<int64_t>(info.size) : static_cast<int64_t>(e->GetSize())});
        }
    }
    AddArchive(component.GetName(), members, 6);
}

void WDiskEstimate::AddComponentList() {
    AddArchive("ComponentList", {{{}, "Setup.Log", kScriptBytes}, {{}, "comp.kvz", kScriptBytes}},
               6);
}

int WDiskEstimate::Disks(double capacity) const {
    const int64_t cap = static_cast<int64_t>(capacity);
    if (cap <= WDiskSet::kHeaderLength + WDiskSet::kArchiveEnd)
        return 0;
    int disk = 1;
    int64_t used = WDiskSet::kArchiveEnd + startProgram_;
    for (size_t i = 0; i < archives_.size(); ++i) {
        const Archive& a = archives_[i];
        if (i + 1 == archives_.size() && cap - used <= 0) {
            ++disk;
            used = WDiskSet::kArchiveEnd;
        }
        const int64_t total = a.bytes;
        if (used + total + EntryCost(a.fileName.size(), total) < cap) {
            used += total + EntryCost(a.fileName.size(), total);
            continue;
        }
        // Split: the rest of this disk, then whole disks, then a last piece.
        const size_t nameLength = WDiskSet::PieceName(1, a.fileName).size();
        const int64_t body =
            cap - WDiskSet::kArchiveEnd - WDiskSet::kHeaderLength - EntryCost(nameLength, cap);
        if (body <= 0)
            return disk;
        const int64_t free = cap - used;
        const int64_t room = free - WDiskSet::kHeaderLength - EntryCost(nameLength, free);
        int64_t piece;
        bool newDisk = room <= 0;
        if (newDisk) {
            piece = std::min(total, body);
            ++disk;
        } else {
            piece = std::min(total, room);
        }
        int64_t copied = piece;
        while (copied < total) {
            ++disk;
            newDisk = true;
            piece = std::min(body, total - copied);
            copied += piece;
        }
        const int64_t pieceSize = WDiskSet::kHeaderLength + piece;
        used =
            (newDisk ? WDiskSet::kArchiveEnd : used) + pieceSize + EntryCost(nameLength, pieceSize);
    }
    return disk;
}

}  // namespace vantrel
