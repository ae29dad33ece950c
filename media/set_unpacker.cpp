#include "media/set_unpacker.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_set>
#include <utility>

#include "archive/al_entry.h"
#include "archive/al_status.h"
#include "archive/al_storage.h"
#include "archive/zip_archive.h"
#include "archive/zip_reader.h"
#include "archive/zip_stream.h"
#include "media/disk_set.h"
#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

bool IsArchiveName(const std::string& name) {
    return EndsWithNoCase(name, WDiskSet::kExtension);
}

// "~002_Setup.cfi" -> 2 and "Setup.cfi"; 0 for a name that is no piece.
int PieceNumberOf(const std::string& name, std::string& archive) {
    if (name.size() < 6 || name[0] != '~' || name[4] != '_' || !IsArchiveName(name))
        return 0;
    int n = 0;
    for (int i = 1; i <= 3; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    archive = name.substr(5);
    return n;
}

// The piece's header: its number and the number of pieces; false when the
// header is not two runs of three digits.
bool ReadPieceHeader(FileHandle& in, int& number, int& count) {
    char header[WDiskSet::kHeaderLength];
    size_t n = 0;
    if (!in.ReadFull(header, sizeof header, n) || n != sizeof header)
        return false;
    number = count = 0;
    for (int i = 0; i < WDiskSet::kHeaderLength; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(header[i])))
            return false;
        int& field = i < 3 ? number : count;
        field = field * 10 + (header[i] - '0');
    }
    return true;
}

// Failures of the expansion that are the destination's, not the archive's:
// a folder or file that cannot be made or written there.
bool IsWriteFailure(int code) {
    return code == al::kCantOpenFile || code == al::kWriteError || code == al::kRenameError ||
           code == al::kDeleteError;
}

// A member's name as a folder on Windows tells names apart: separators
// either way, "." parts dropped, no regard to case.
std::string MemberKey(const std::string& name) {
    // Most names have no "." or empty parts: lower case and "/" do.
    std::string key(name.size(), '\0');
    bool plain = !name.empty() && name.front() != '/' && name.front() != '\\';
    for (size_t i = 0; plain && i < name.size(); ++i) {
        const char c = name[i] == '\\' ? '/' : name[i];
        const bool partStart = i == 0 || key[i - 1] == '/';
        plain = !(partStart && (c == '/' || c == '.')) && c != ':' && c != '\0';
        key[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (plain && key.back() != '/')
        return key;
    std::vector<std::string> folders;
    std::string file;
    if (!SplitMemberName(name, folders, file))
        return ToLower(name);
    folders.push_back(file);
    return ToLower(Join(folders, "/"));
}

// A member of a disk's archive: a whole archive, or a piece of one whose
// header is skipped when the archive is read.
struct DiskMember {
    std::string diskArchive;  // the disk archive's path
    std::string shown;        // ... as the problems name it
    std::string name;         // the member's name
    int64_t offset = 0;       // of its local header
    int64_t compressedSize = 0;
    int64_t expandedSize = 0;
    uint32_t crc32 = 0;
    uint16_t method = 0;
    size_t skip = 0;
};

using zip::Get16;
using zip::Get32;

enum class MemberRead { kWhole, kStopped, kFailed };
using Emit = std::function<bool(const char*, size_t)>;
constexpr size_t kBlock = 256 * 1024;
constexpr size_t kPieceHeader = WDiskSet::kHeaderLength;

// Streams the expanded bytes of `m` into `emit`; false from `emit` stops
// the read (kStopped). A member read whole has its CRC-32 and size checked;
// kFailed says in `why` what is wrong.
MemberRead ReadDiskMember(const DiskMember& m, const Emit& emit, std::string& why) {
    FileHandle in;
    if (!in.Open(m.diskArchive, FileHandle::Mode::kRead)) {
        why = "cannot be read: " + ErrnoText(m.diskArchive);
        return MemberRead::kFailed;
    }
    unsigned char h[zip::kLocalHeaderSize];
    size_t got = 0;
    if (!in.ReadFullAt(m.offset, h, sizeof h, got) || got != sizeof h ||
        Get32(h) != zip::kLocalHeaderSignature) {
        why = m.name + ": Bad local header in ZIP file " + m.diskArchive;
        return MemberRead::kFailed;
    }
    if (m.method != 0 && m.method != Z_DEFLATED) {
        why = m.name + ": Attempt to decompress without a decompressor";
        return MemberRead::kFailed;
    }
    int64_t at = m.offset + static_cast<int64_t>(sizeof h) + Get16(h + 26) + Get16(h + 28);
    z_stream zs{};
    if (m.method == Z_DEFLATED && inflateInit2(&zs, -MAX_WBITS) != Z_OK) {
        why = m.name + ": Error creating inflate engine";
        return MemberRead::kFailed;
    }
    std::vector<char> input(kBlock), output(m.method == Z_DEFLATED ? kBlock : 0);
    uint32_t crc = 0;
    int64_t expanded = 0;
    int64_t left = m.compressedSize;
    bool ended = m.method != Z_DEFLATED;
    MemberRead result = MemberRead::kWhole;
    auto out = [&](const char* p, size_t n) {
        crc = static_cast<uint32_t>(crc32_z(crc, reinterpret_cast<const Bytef*>(p), n));
        expanded += static_cast<int64_t>(n);
        return emit(p, n);
    };
    while (left > 0 && result == MemberRead::kWhole) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, kBlock));
        if (!in.ReadFullAt(at, input.data(), n, got) || got != n) {
            why = got != n ? m.name + ": the archive ends inside the member"
                           : "cannot be read: " + ErrnoText(m.diskArchive);
            result = MemberRead::kFailed;
            break;
        }
        at += static_cast<int64_t>(n);
        left -= static_cast<int64_t>(n);
        if (m.method != Z_DEFLATED) {
            if (!out(input.data(), n))
                result = MemberRead::kStopped;
            continue;
        }
        if (ended)
            continue;
        zs.next_in = reinterpret_cast<Bytef*>(input.data());
        zs.avail_in = static_cast<uInt>(n);
        do {
            zs.next_out = reinterpret_cast<Bytef*>(output.data());
            zs.avail_out = static_cast<uInt>(output.size());
            const int rc = inflate(&zs, Z_NO_FLUSH);
            if (!out(output.data(), output.size() - zs.avail_out)) {
                result = MemberRead::kStopped;
                break;
            }
            if (rc == Z_STREAM_END) {
                ended = true;
                break;
            }
            if (rc != Z_OK && rc != Z_BUF_ERROR) {
                why = m.name + ": Member data is not a sound deflate stream";
                result = MemberRead::kFailed;
                break;
            }
        } while (zs.avail_out == 0);
    }
    if (m.method == Z_DEFLATED)
        inflateEnd(&zs);
    if (result != MemberRead::kWhole)
        return result;
    if (!ended) {
        why = m.name + ": Member data ends before its deflate stream";
        return MemberRead::kFailed;
    }
    if (crc != m.crc32) {
        why = Format("%s: CRC32 was supposed to be %08lx, was %08lx", m.name.c_str(),
                     static_cast<unsigned long>(m.crc32), static_cast<unsigned long>(crc));
        return MemberRead::kFailed;
    }
    if (expanded != m.expandedSize) {
        why = Format("%s: Member expands to %lld bytes, not the recorded %lld", m.name.c_str(),
                     static_cast<long long>(expanded), static_cast<long long>(m.expandedSize));
        return MemberRead::kFailed;
    }
    return MemberRead::kWhole;
}

// A piece's header read from the disk's archive; false when it is not two
// runs of three digits.
bool PieceHeaderOf(const DiskMember& m, int& number, int& count) {
    std::string header;
    std::string why;
    ReadDiskMember(
        m,
        [&](const char* p, size_t n) {
            header.append(p, std::min(n, kPieceHeader - header.size()));
            return header.size() < kPieceHeader;
        },
        why);
    if (header.size() != kPieceHeader)
        return false;
    number = count = 0;
    for (int i = 0; i < WDiskSet::kHeaderLength; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(header[i])))
            return false;
        int& field = i < 3 ? number : count;
        field = field * 10 + (header[i] - '0');
    }
    return true;
}

// Blocks of the archives' bytes from the reading thread to the checking
// one. Only the side that is ahead waits: the reader when the queue is
// full, the checker when it is empty. An empty block ends an archive.
class BlockQueue {
  public:
    static constexpr size_t kLimit = 8;

    // An emptied block to fill again (its room kept), or a new one.
    std::vector<char> Spare() {
        std::lock_guard lock(mutex_);
        if (spare_.empty())
            return {};
        std::vector<char> block = std::move(spare_.back());
        spare_.pop_back();
        block.clear();
        return block;
    }
    void GiveBack(std::vector<char>& block) {
        if (block.capacity() == 0)
            return;
        std::lock_guard lock(mutex_);
        if (spare_.size() < kLimit + 2)
            spare_.push_back(std::move(block));
        block = {};
    }

    bool Push(std::vector<char> block) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return cancelled_ || blocks_.size() < kLimit; });
        if (cancelled_)
            return false;
        blocks_.push_back(std::move(block));
        changed_.notify_all();
        return true;
    }
    // False once the reader is done and every block was taken.
    bool Pop(std::vector<char>& block) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return closed_ || !blocks_.empty(); });
        if (blocks_.empty())
            return false;
        block = std::move(blocks_.front());
        blocks_.pop_front();
        changed_.notify_all();
        return true;
    }
    void Close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }
    void Cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = closed_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<char>> blocks_;
    std::vector<std::vector<char>> spare_;
    bool closed_ = false;
    bool cancelled_ = false;
};

// Hands one archive's members to the sink and names its faults.
class ArchiveVisitor : public ALZipStreamReader::Visitor {
  public:
    ArchiveVisitor(const std::string& archive, WSetUnpacker::Sink& sink,
                   std::vector<std::string>& problems)
        : archive_(archive), sink_(sink), problems_(problems) {}

    bool Begin(const ALZipStreamReader::Member& m) override {
        passing_ = false;
        if (m.name.empty() || m.name.back() == '/' || m.name.back() == '\\')
            return false;  // a folder entry
        if (!names_.insert(MemberKey(m.name)).second) {
            problems_.push_back(archive_ + " is damaged: it holds the member " + m.name +
                                " more than once");
            damaged_ = true;
            return false;
        }
        passing_ = true;
        return sink_.Begin(archive_, m.name, m.expandedSize);
    }
    bool Data(const char* data, size_t size) override { return sink_.Data(data, size); }
    void End(const ALZipStreamReader::Member&, const ALStatus& status) override {
        if (!status.Ok()) {
            problems_.push_back(archive_ + " is damaged: " + status.GetStatusDetail());
            damaged_ = true;
        }
        if (passing_)
            sink_.End(status.Ok());
        passing_ = false;
        PumpMessage();
    }
    bool Damaged() const { return damaged_; }

  private:
    const std::string& archive_;
    WSetUnpacker::Sink& sink_;
    std::vector<std::string>& problems_;
    std::unordered_set<std::string> names_;
    bool passing_ = false;
    bool damaged_ = false;
};

}  // namespace

long WSetUnpacker::DiskNumberOf(const std::string& name) {
    const std::string prefix = WDiskSet::kFolderPrefix;
    if (name.size() <= prefix.size() || name.size() - prefix.size() > 9 ||
        !EqualsNoCase(name.substr(0, prefix.size()), prefix)) {
        return -1;
    }
    long number = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (!std::isdigit(c))
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::vector<std::string> WSetUnpacker::DiskFolders(const std::string& mediaFolder) {
    std::vector<std::pair<long, std::string>> numbered;
    for (const std::string& name : ListFolder(mediaFolder, false, true)) {
        const long n = DiskNumberOf(name);
        if (n >= 0)
            numbered.emplace_back(n, name);
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> disks;
    for (auto& [n, name] : numbered)
        disks.push_back(JoinPath(mediaFolder, name));
    return disks;
}

bool WSetUnpacker::Unpack(const std::vector<std::string>& disks, const std::string& workFolder,
                          const std::string& setFolder) {
    problems_.clear();
    archives_.clear();
    temporaryFolderFailed_ = false;
    std::string why;
    for (const std::string& folder : {workFolder, setFolder}) {
        if (!MakeFolders(folder, &why)) {
            CannotWrite(folder, why);
            return false;
        }
    }
    if (disks.empty()) {
        problems_.push_back("the set has no disk folders");
        return false;
    }
    long expected = 1;
    for (const std::string& disk : disks) {
        ExpandDisk(disk, expected, workFolder);
        if (temporaryFolderFailed_)
            return false;
        expected = std::max(expected, DiskNumberOf(FileNameOf(disk))) + 1;
    }
    JoinPieces(workFolder);
    if (temporaryFolderFailed_)
        return false;
    std::vector<std::string> names;
    for (const std::string& name : ListFolder(workFolder, true, false)) {
        std::string archive;
        if (IsArchiveName(name) && PieceNumberOf(name, archive) == 0)
            names.push_back(name);
    }
    for (const std::string& name : names) {
        ExpandArchive(workFolder, name, setFolder);
        if (temporaryFolderFailed_)
            return false;
    }
    return problems_.empty();
}

bool WSetUnpacker::Scan(const std::vector<std::string>& disks, Sink& sink) {
    problems_.clear();
    archives_.clear();
    temporaryFolderFailed_ = false;
    if (disks.empty()) {
        problems_.push_back("the set has no disk folders");
        return false;
    }
    // Where each archive lies: one member of a disk's archive, or pieces.
    std::map<std::string, std::vector<DiskMember>, LessNoCase> archives;
    std::map<std::string, std::map<int, DiskMember>, LessNoCase> split;
    long expected = 1;
    for (const std::string& disk : disks) {
        const std::string path = DiskArchive(disk, expected);
        expected = std::max(expected, DiskNumberOf(FileNameOf(disk))) + 1;
        if (path.empty())
            continue;
        const std::string shown = DisplayPath(path);
        ALZipReader reader(path);
        ALEntryList list;
        if (reader.ReadDirectory(list) < 0) {
            problems_.push_back(shown + " is damaged: " + reader.Status().GetStatusDetail());
            continue;
        }
        std::unordered_set<std::string> names;
        bool twice = false;
        for (const auto& entry : list) {
            const std::string& name = entry->GetStorage()->GetName();
            if (!twice && !names.insert(MemberKey(name)).second) {
                problems_.push_back(shown + " is damaged: it holds the member " + name +
                                    " more than once");
                twice = true;
            }
        }
        if (twice)
            continue;
        for (const auto& entry : list) {
            DiskMember m{path,
                         shown,
                         entry->GetStorage()->GetName(),
                         entry->offset,
                         entry->compressedSize,
                         entry->expandedSize,
                         entry->crc32,
                         entry->zipMethod};
            std::string archive;
            if (const int n = PieceNumberOf(m.name, archive); n > 0) {
                m.skip = kPieceHeader;
                split[archive][n] = std::move(m);
            } else if (IsArchiveName(m.name)) {
                archives[m.name].assign(1, m);
            }
        }
    }
    for (auto& [archive, pieces] : split) {
        // The first piece found says how many to look for, as in JoinPieces.
        int count = -1;
        if (int number = 0, total = 0;
            PieceHeaderOf(pieces.begin()->second, number, total) && total >= 1)
            count = total;
        std::vector<DiskMember> chain;
        bool whole = true;
        for (int want = 1; count < 0 || want <= count; ++want) {
            auto it = pieces.find(want);
            if (it == pieces.end()) {
                problems_.push_back(Format("piece %d of %s is missing (%s)", want, archive.c_str(),
                                           WDiskSet::PieceName(want, archive).c_str()));
                whole = false;
                if (count < 0)
                    break;
                continue;
            }
            int number = 0, total = 0;
            if (!PieceHeaderOf(it->second, number, total) || number != want || total < 1 ||
                (count >= 0 && total != count)) {
                problems_.push_back(DisplayPath(it->second.name) + " is not a sound piece of " +
                                    archive + " (its header is damaged)");
                whole = false;
                break;
            }
            count = total;
            chain.push_back(it->second);
        }
        if (whole)
            archives[archive] = std::move(chain);
    }

    // The sink's early archives first, the rest in name order.
    std::vector<const std::pair<const std::string, std::vector<DiskMember>>*> order;
    for (const bool early : {true, false}) {
        for (const auto& entry : archives) {
            if (sink.Early(entry.first) == early)
                order.push_back(&entry);
        }
    }

    // One thread reads the disks' archives and joins the pieces; this one
    // expands and checks each archive's members as the bytes come.
    BlockQueue queue;
    std::vector<std::string> readProblems;
    std::thread reader([&] {
        for (const auto* entry : order) {
            const std::vector<DiskMember>& chain = entry->second;
            std::vector<char> block;
            block.reserve(kBlock);
            for (const DiskMember& m : chain) {
                size_t skip = m.skip;
                auto emit = [&](const char* p, size_t n) {
                    const size_t skipped = std::min(skip, n);
                    p += skipped;
                    n -= skipped;
                    skip -= skipped;
                    while (n > 0) {
                        const size_t k = std::min(n, kBlock - block.size());
                        block.insert(block.end(), p, p + k);
                        p += k;
                        n -= k;
                        if (block.size() == kBlock) {
                            if (!queue.Push(std::move(block)))
                                return false;
                            block = queue.Spare();
                            block.reserve(kBlock);
                        }
                    }
                    return true;
                };
                std::string why;
                const MemberRead read = ReadDiskMember(m, emit, why);
                if (read == MemberRead::kStopped)
                    return;
                if (read == MemberRead::kFailed) {
                    readProblems.push_back(m.shown + " is damaged: " + why);
                    break;
                }
            }
            if ((!block.empty() && !queue.Push(std::move(block))) || !queue.Push({}))
                return;
        }
        queue.Close();
    });

    std::vector<char> current;
    bool atEnd = false;
    const ALZipStreamReader::Input input = [&]() -> std::span<const char> {
        queue.GiveBack(current);
        if (atEnd || !queue.Pop(current) || current.empty()) {
            atEnd = true;
            return {};
        }
        return {current.data(), current.size()};
    };
    bool earlyDone = false;
    bool stopped = false;
    for (const auto* entry : order) {
        const std::string& archive = entry->first;
        if (!earlyDone && !sink.Early(archive)) {
            earlyDone = true;
            sink.EarlyDone();
        }
        atEnd = false;
        ArchiveVisitor visitor(archive, sink, problems_);
        ALZipStreamReader stream;
        const int rc = stream.Read(input, visitor);
        if (rc == al::kUserAbort) {
            CannotWrite(sink.folder, sink.why);
            stopped = true;
            break;
        }
        if (rc < 0)
            problems_.push_back(archive + " is damaged: " + stream.Status().GetStatusDetail());
        while (!atEnd)
            input();
        if (rc >= 0 && !visitor.Damaged())
            archives_.push_back(archive);
    }
    queue.Cancel();
    reader.join();
    if (!earlyDone && !stopped)
        sink.EarlyDone();
    std::sort(archives_.begin(), archives_.end(), LessNoCase());
    problems_.insert(problems_.end(), readProblems.begin(), readProblems.end());
    return problems_.empty();
}

void WSetUnpacker::CannotWrite(const std::string& folder, const std::string& why) {
    temporaryFolderFailed_ = true;
    problems_.push_back("cannot write to the temporary folder " + DisplayPath(folder) + ": " + why);
}

bool WSetUnpacker::Expand(const std::string& path, const std::string& shown,
                          const std::string& destination) {
    ALZipReader reader(path);
    ALEntryList list;
    if (reader.ReadDirectory(list) < 0) {
        problems_.push_back(shown + " is damaged: " + reader.Status().GetStatusDetail());
        return false;
    }
    std::unordered_set<std::string> names;
    for (const auto& entry : list) {
        const std::string& name = entry->GetStorage()->GetName();
        if (!names.insert(MemberKey(name)).second) {
            problems_.push_back(shown + " is damaged: it holds the member " + name +
                                " more than once");
            return false;
        }
    }
    if (reader.Extract(list, destination) < 0) {
        const ALStatus& status = reader.Status();
        if (IsWriteFailure(status.GetStatusCode())) {
            CannotWrite(destination, status.SystemError() != 0 ? std::strerror(status.SystemError())
                                                               : status.GetStatusDetail());
            return false;
        }
        problems_.push_back(shown + " is damaged: " + status.GetStatusDetail());
        return false;
    }
    return true;
}

std::string WSetUnpacker::DiskArchive(const std::string& disk, long expected) {
    const std::string name = FileNameOf(disk);
    const long number = DiskNumberOf(name);
    if (number > expected) {
        std::string gap =
            WDiskSet::kFolderPrefix + WDiskSet::ThreeDigits(static_cast<int>(expected));
        if (number - 1 > expected)
            gap += " to " + std::string(WDiskSet::kFolderPrefix) +
                   WDiskSet::ThreeDigits(static_cast<int>(number - 1));
        problems_.push_back("the set has no " + gap);
    }
    // A disk copied to the root of a floppy is not named after its number;
    // its archive tells the number.
    std::string own = number >= 0 ? name + WDiskSet::kExtension : std::string();
    if (number < 0) {
        const size_t extension = std::char_traits<char>::length(WDiskSet::kExtension);
        for (const std::string& file : ListFolder(disk, true, false)) {
            if (IsArchiveName(file) && DiskNumberOf(file.substr(0, file.size() - extension)) >= 0) {
                own = file;
                break;
            }
        }
    }
    const std::string archive = own.empty() ? std::string() : FindInFolderNoCase(disk, own);
    if (archive.empty() || !IsFile(archive)) {
        problems_.push_back(DisplayPath(disk) + " holds no disk archive" +
                            (own.empty() ? std::string() : " " + own));
        return {};
    }
    return archive;
}

void WSetUnpacker::ExpandDisk(const std::string& disk, long expected,
                              const std::string& workFolder) {
    const std::string archive = DiskArchive(disk, expected);
    if (!archive.empty())
        Expand(archive, DisplayPath(archive), workFolder);
}

void WSetUnpacker::JoinPieces(const std::string& workFolder) {
    // Archive name -> piece number -> piece file.
    std::map<std::string, std::map<int, std::string>, LessNoCase> split;
    for (const std::string& name : ListFolder(workFolder, true, false)) {
        std::string archive;
        if (int n = PieceNumberOf(name, archive); n > 0)
            split[archive][n] = JoinPath(workFolder, name);
    }
    for (const auto& [archive, pieces] : split) {
        const std::string joined = JoinPath(workFolder, archive);
        FileHandle out;
        if (!out.Open(joined, FileHandle::Mode::kWrite, 0644)) {
            CannotWrite(workFolder, std::strerror(errno));
            return;
        }
        bool whole = true;
        // Every piece's header gives the number of pieces; the first one
        // found says how many to look for, also when piece 1 is missing.
        int count = -1;
        if (FileHandle first; first.Open(pieces.begin()->second, FileHandle::Mode::kRead)) {
            int number = 0, total = 0;
            if (ReadPieceHeader(first, number, total) && total >= 1)
                count = total;
        }
        for (int expected = 1; count < 0 || expected <= count; ++expected) {
            auto it = pieces.find(expected);
            if (it == pieces.end()) {
                problems_.push_back(Format("piece %d of %s is missing (%s)", expected,
                                           archive.c_str(),
                                           WDiskSet::PieceName(expected, archive).c_str()));
                whole = false;
                if (count < 0)
                    break;
                continue;
            }
            FileHandle in;
            int number = 0, total = 0;
            if (!in.Open(it->second, FileHandle::Mode::kRead) ||
                !ReadPieceHeader(in, number, total) || number != expected || total < 1 ||
                (count >= 0 && total != count)) {
                problems_.push_back(DisplayPath(FileNameOf(it->second)) +
                                    " is not a sound piece of " + archive +
                                    " (its header is damaged)");
                whole = false;
                break;
            }
            count = total;
            std::string buffer(WDiskSet::kChunkSize, '\0');
            for (;;) {
                size_t n = 0;
                if (!in.ReadFull(buffer.data(), buffer.size(), n)) {
                    problems_.push_back("cannot read " + ErrnoText(it->second));
                    whole = false;
                    break;
                }
                if (n > 0 && !out.WriteAll(buffer.data(), n)) {
                    CannotWrite(workFolder, std::strerror(errno));
                    out.Close();
                    RemoveFile(joined);
                    return;
                }
                if (n < buffer.size())
                    break;
            }
        }
        if (!out.Close()) {
            CannotWrite(workFolder, std::strerror(errno));
            RemoveFile(joined);
            return;
        }
        if (!whole)
            RemoveFile(joined);
    }
}

void WSetUnpacker::ExpandArchive(const std::string& workFolder, const std::string& name,
                                 const std::string& setFolder) {
    // The scripts' list was packed from the "Setup" folder.
    const std::string destination =
        EqualsNoCase(name, kScriptArchive) ? JoinPath(setFolder, "Setup") : setFolder;
    if (Expand(JoinPath(workFolder, name), name, destination))
        archives_.push_back(name);
}

}  // namespace vantrel
