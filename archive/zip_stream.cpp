#include "archive/zip_stream.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "archive/zip_archive.h"
#include "archive/zip_reader.h"
#include "platform/encoding.h"

namespace vantrel {

namespace {

using zip::Get16;
using zip::Get32;

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDescriptor = 0x0008;
constexpr uint16_t kFlagUtf8Name = 0x0800;
constexpr size_t kOutBlock = 64 * 1024;

// The input as a cursor: what is at hand, and where in the archive it is.
class Cursor {
  public:
    explicit Cursor(const ALZipStreamReader::Input& input) : input_(input) {}

    // At least one byte at hand; false at the end of the archive.
    bool Fill() {
        while (pos_ == block_.size()) {
            if (ended_)
                return false;
            block_ = input_();
            pos_ = 0;
            ended_ = block_.empty();
        }
        return true;
    }
    std::span<const char> Available() const { return block_.subspan(pos_); }
    void Advance(size_t n) {
        pos_ += n;
        offset_ += static_cast<int64_t>(n);
    }
    bool Read(void* data, size_t size) {
        auto* out = static_cast<char*>(data);
        while (size > 0) {
            if (!Fill())
                return false;
            const size_t n = std::min(size, block_.size() - pos_);
            std::memcpy(out, block_.data() + pos_, n);
            Advance(n);
            out += n;
            size -= n;
        }
        return true;
    }
    int64_t Offset() const { return offset_; }

  private:
    const ALZipStreamReader::Input& input_;
    std::span<const char> block_;
    size_t pos_ = 0;
    int64_t offset_ = 0;
    bool ended_ = false;
};

// What the local header said of a member, to hold against its central record.
struct Local {
    std::string rawName;
    ALZipStreamReader::Member member;
};

// Expands one member's data from `in` (exactly its compressed size),
// checking CRC and size; `data` gets the expanded bytes when set. Returns
// false when the input ended early (the archive is cut short); `fault` then
// or otherwise says what is wrong with the member.
class MemberReader {
  public:
    // `zs` is an inflate stream made for raw deflate data and `out` its
    // output buffer, both kept from member to member.
    MemberReader(Cursor& in, const ALZipStreamReader::Member& m, ALZipStreamReader::Visitor* data,
                 z_stream& zs, std::vector<char>& out)
        : in_(in), m_(m), data_(data), zs_(zs), out_(out) {}

    bool Run(ALStatus& fault, bool& stopped) {
        bool more = m_.method == 0 ? Stored() : Inflated(fault);
        if (!more)
            return false;
        stopped = stopped_;
        if (!fault.Ok() || stopped_)
            return true;
        if (crc_ != m_.crc32) {
            fault.SetError(al::kCrcError, "CRC32 was supposed to be %08lx, was %08lx",
                           static_cast<unsigned long>(m_.crc32), static_cast<unsigned long>(crc_));
        } else if (expanded_ != m_.expandedSize) {
            fault.SetError(
                al::kInvalidArchive, "Member expands to %lld bytes, not the recorded %lld",
                static_cast<long long>(expanded_), static_cast<long long>(m_.expandedSize));
        }
        return true;
    }

    // Passes over `n` bytes of input.
    static bool Skip(Cursor& in, int64_t n) {
        while (n > 0) {
            if (!in.Fill())
                return false;
            const size_t step = static_cast<size_t>(
                std::min<int64_t>(n, static_cast<int64_t>(in.Available().size())));
            in.Advance(step);
            n -= static_cast<int64_t>(step);
        }
        return true;
    }

  private:
    void Out(const char* p, size_t n) {
        crc_ = static_cast<uint32_t>(crc32_z(crc_, reinterpret_cast<const Bytef*>(p), n));
        expanded_ += static_cast<int64_t>(n);
        if (data_ && !stopped_ && !data_->Data(p, n))
            stopped_ = true;
    }

    bool Stored() {
        int64_t left = m_.compressedSize;
        while (left > 0) {
            if (!in_.Fill())
                return false;
            auto at = in_.Available();
            const size_t n =
                static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(at.size())));
            Out(at.data(), n);
            in_.Advance(n);
            left -= static_cast<int64_t>(n);
        }
        return true;
    }

    bool Inflated(ALStatus& fault) {
        z_stream& zs = zs_;
        std::vector<char>& out = out_;
        inflateReset(&zs);
        int64_t left = m_.compressedSize;
        bool ended = false;
        while (!ended) {
            if (left == 0) {
                fault.SetError(al::kInvalidArchive, "Member data ends before its deflate stream");
                break;
            }
            if (!in_.Fill())
                return false;
            auto at = in_.Available();
            const size_t n =
                static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(at.size())));
            zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(at.data()));
            zs.avail_in = static_cast<uInt>(n);
            do {
                zs.next_out = reinterpret_cast<Bytef*>(out.data());
                zs.avail_out = static_cast<uInt>(out.size());
                const int rc = inflate(&zs, Z_NO_FLUSH);
                Out(out.data(), out.size() - zs.avail_out);
                if (rc == Z_STREAM_END) {
                    ended = true;
                    break;
                }
                if (rc != Z_OK && rc != Z_BUF_ERROR) {
                    fault.SetError(al::kInvalidArchive,
                                   "Member data is not a sound deflate stream");
                    ended = true;
                    break;
                }
                if (expanded_ > m_.expandedSize) {
                    fault.SetError(al::kInvalidArchive,
                                   "Member expands to more than the recorded %lld bytes",
                                   static_cast<long long>(m_.expandedSize));
                    ended = true;
                    break;
                }
            } while (zs.avail_out == 0 && !stopped_);
            const size_t used = n - zs.avail_in;
            in_.Advance(used);
            left -= static_cast<int64_t>(used);
            if (stopped_)
                break;
        }
        return Skip(in_, left);
    }

    Cursor& in_;
    const ALZipStreamReader::Member& m_;
    ALZipStreamReader::Visitor* data_;
    z_stream& zs_;
    std::vector<char>& out_;
    uint32_t crc_ = 0;
    int64_t expanded_ = 0;
    bool stopped_ = false;
};

}  // namespace

int ALZipStreamReader::Read(const Input& input, Visitor& visitor) {
    status_.Clear();
    count_ = 0;
    Cursor in(input);
    std::vector<Local> locals;
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        return status_.SetError(al::kCantCreateEngine, "Error creating inflate engine");
    std::unique_ptr<z_stream, int (*)(z_stream*)> ending(&zs, inflateEnd);
    std::vector<char> out(kOutBlock);
    auto cutShort = [&] {
        return status_.SetError(al::kInvalidArchive, "The archive ends before its end record");
    };
    unsigned char sig[4];
    for (;;) {
        const int64_t offset = in.Offset();
        if (!in.Read(sig, sizeof sig))
            return cutShort();
        if (Get32(sig) != zip::kLocalHeaderSignature)
            break;
        unsigned char h[zip::kLocalHeaderSize];
        if (!in.Read(h + 4, sizeof h - 4))
            return cutShort();
        Local local;
        Member& m = local.member;
        m.offset = offset;
        m.flags = Get16(h + 6);
        m.method = Get16(h + 8);
        m.crc32 = Get32(h + 14);
        m.compressedSize = Get32(h + 18);
        m.expandedSize = Get32(h + 22);
        local.rawName.assign(Get16(h + 26), '\0');
        if (!in.Read(local.rawName.data(), local.rawName.size()) ||
            !MemberReader::Skip(in, Get16(h + 28)))
            return cutShort();
        if (m.flags & kFlagDescriptor) {
            return status_.SetError(al::kInvalidArchive,
                                    "%s: Member sizes follow its data; not read as a stream",
                                    local.rawName.c_str());
        }
        m.name = local.rawName;
        if (m.flags & kFlagUtf8Name) {
            std::string ansi;
            if (Utf8ToCp1252(m.name, ansi))
                m.name = ansi;
        }
        ALStatus fault;
        std::vector<std::string> folders;
        std::string leaf;
        if (!SplitMemberName(m.name, folders, leaf))
            fault.SetError(al::kInvalidArchive,
                           "Name leads outside the destination folder; not expanded");
        else if (!leaf.empty() && (m.flags & kFlagEncrypted))
            fault.SetError(al::kMissingCryptoEngine, "Member is encrypted");
        else if (m.method != 0 && m.method != Z_DEFLATED)
            fault.SetError(al::kUnknownCompressionType,
                           "Attempt to decompress without a decompressor");
        bool stopped = false;
        if (!fault.Ok()) {
            if (!MemberReader::Skip(in, m.compressedSize))
                return cutShort();
        } else {
            MemberReader reader(in, m, visitor.Begin(m) ? &visitor : nullptr, zs, out);
            if (!reader.Run(fault, stopped))
                return cutShort();
        }
        if (stopped)
            return status_.SetError(al::kUserAbort, "Cancelled");
        ALStatus told;
        if (!fault.Ok())
            told.Adopt(fault, m.name);
        visitor.End(m, told);
        locals.push_back(std::move(local));
        ++count_;
    }

    // The central directory: one record per member, in the same order.
    const int64_t directoryStart = in.Offset() - 4;
    auto mismatch = [&](size_t i) {
        return status_.SetError(al::kInvalidArchive,
                                "Central directory record %zu does not match its member", i + 1);
    };
    size_t records = 0;
    while (Get32(sig) == zip::kCentralRecordSignature) {
        unsigned char r[zip::kCentralRecordSize];
        std::memcpy(r, sig, 4);
        if (!in.Read(r + 4, sizeof r - 4))
            return cutShort();
        std::string name(Get16(r + 28), '\0');
        if (!in.Read(name.data(), name.size()) ||
            !MemberReader::Skip(in, Get16(r + 30) + Get16(r + 32)))
            return cutShort();
        if (records >= locals.size())
            return mismatch(records);
        const Member& m = locals[records].member;
        if (name != locals[records].rawName || Get16(r + 10) != m.method ||
            Get32(r + 16) != m.crc32 || Get32(r + 20) != m.compressedSize ||
            Get32(r + 24) != m.expandedSize || Get32(r + 42) != m.offset)
            return mismatch(records);
        ++records;
        if (!in.Read(sig, sizeof sig))
            return cutShort();
    }
    if (Get32(sig) != zip::kEndRecordSignature) {
        return status_.SetError(al::kInvalidArchive, "Bad record at offset %lld",
                                static_cast<long long>(in.Offset() - 4));
    }
    unsigned char e[zip::kEndRecordSize];
    if (!in.Read(e + 4, sizeof e - 4))
        return cutShort();
    if (records != locals.size())
        return mismatch(records);
    if (Get16(e + 10) != (records & 0xFFFF) ||
        Get32(e + 16) != static_cast<uint32_t>(directoryStart) ||
        Get32(e + 12) !=
            static_cast<uint32_t>(in.Offset() - zip::kEndRecordSize - directoryStart)) {
        return status_.SetError(al::kInvalidArchive,
                                "The end record does not match the central directory");
    }
    return al::kSuccess;
}

}  // namespace vantrel
