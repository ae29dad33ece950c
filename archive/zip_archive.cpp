#include "archive/zip_archive.h"

#include <unordered_set>

#include "archive/al_deflate_engine.h"
#include "archive/al_file.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

void Put16(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void Put32(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace

ALZipArchive::ALZipArchive(std::string path)
    : storage_(std::make_unique<ALFile>(std::move(path))) {}

ALZipArchive::ALZipArchive(std::unique_ptr<ALStorage> storage) : storage_(std::move(storage)) {}

int ALZipArchive::CheckName(std::unordered_set<std::string>& names, const std::string& zipName) {
    if (!names.insert(ToLower(zipName)).second) {
        return status_.SetError(al::kDuplicateEntry, "Duplicate entry in list passed to Create()");
    }
    return al::kSuccess;
}

int ALZipArchive::CheckList(ALEntryList& list) {
    // Names in lower case: two names that differ only in case clash.
    std::unordered_set<std::string> names;
    size_t marked = 0;
    for (auto& entry : list) {
        if (!entry->GetStorage()) {
            return status_.SetError(al::kLogicError, "No storage object for compression engine");
        }
        if (CheckName(names, entry->GetZipName()) < 0)
            return status_.GetStatusCode();
        if (!entry->IsMarked())
            continue;
        ++marked;
        if (!entry->GetCompressor()) {
            return status_.SetError(al::kLogicError, "No compression engine for storage object");
        }
        if (entry->GetZipName().size() > 0xFFFF || entry->GetComment().size() > 0xFFFF) {
            return status_.SetError(al::kIllegalParameter,
                                    "%s: Name or comment too long for a ZIP archive",
                                    entry->GetStorage()->GetName().c_str());
        }
    }
    if (marked > zip::kMaxEntries) {
        return status_.SetError(al::kIllegalParameter, "Too many entries (%zu) for a ZIP archive",
                                marked);
    }
    return al::kSuccess;
}

int ALZipArchive::CheckSources(const std::vector<Source>& sources) {
    // Names in lower case: two names that differ only in case clash.
    std::unordered_set<std::string> names;
    for (const auto& source : sources) {
        std::string name = ZipEntryName(source.name);
        if (CheckName(names, name) < 0)
            return status_.GetStatusCode();
        if (name.size() > 0xFFFF) {
            return status_.SetError(al::kIllegalParameter,
                                    "%s: Name or comment too long for a ZIP archive",
                                    source.name.c_str());
        }
    }
    if (sources.size() > zip::kMaxEntries) {
        return status_.SetError(al::kIllegalParameter, "Too many entries (%zu) for a ZIP archive",
                                sources.size());
    }
    return al::kSuccess;
}

void ALZipArchive::WriteLocalHeader(const Record& r) {
    unsigned char h[zip::kLocalHeaderSize];
    Put32(h + 0, zip::kLocalHeaderSignature);
    Put16(h + 4, zip::kVersion);
    Put16(h + 6, r.zipFlags);
    Put16(h + 8, r.zipMethod);
    Put16(h + 10, r.dosTime);
    Put16(h + 12, r.dosDate);
    Put32(h + 14, r.crc32);
    Put32(h + 18, static_cast<uint32_t>(r.compressedSize));
    Put32(h + 22, static_cast<uint32_t>(r.expandedSize));
    Put16(h + 26, static_cast<uint16_t>(r.name.size()));
    Put16(h + 28, 0);
    storage_->WriteBuffer(h, sizeof h);
    storage_->WriteBuffer(r.name.data(), r.name.size());
}

void ALZipArchive::WriteCentralRecord(const Record& r) {
    unsigned char h[zip::kCentralRecordSize];
    Put32(h + 0, zip::kCentralRecordSignature);
    Put16(h + 4, zip::kVersion);
    Put16(h + 6, zip::kVersion);
    Put16(h + 8, r.zipFlags);
    Put16(h + 10, r.zipMethod);
    Put16(h + 12, r.dosTime);
    Put16(h + 14, r.dosDate);
    Put32(h + 16, r.crc32);
    Put32(h + 20, static_cast<uint32_t>(r.compressedSize));
    Put32(h + 24, static_cast<uint32_t>(r.expandedSize));
    Put16(h + 28, static_cast<uint16_t>(r.name.size()));
    Put16(h + 30, 0);
    Put16(h + 32, static_cast<uint16_t>(r.comment.size()));
    Put16(h + 34, 0);
    Put16(h + 36, 0);
    Put32(h + 38, r.attributes & 0x3f);
    Put32(h + 42, static_cast<uint32_t>(r.offset));
    storage_->WriteBuffer(h, sizeof h);
    storage_->WriteBuffer(r.name.data(), r.name.size());
    storage_->WriteBuffer(r.comment.data(), r.comment.size());
}

int ALZipArchive::OffsetProblem(const Record& record, const ALStorage* source) {
    if (record.offset <= zip::kMaxOffset)
        return al::kSuccess;
    return status_.SetError(al::kIllegalParameter,
                            "%s: Archive passes 4 GB, more than a ZIP archive can address",
                            source ? source->GetName().c_str() : record.name.c_str());
}

namespace {

// Sizes that do not fit the header's 32 bits would give a corrupt archive.
bool TooLarge(int64_t expandedSize, int64_t compressedSize, int64_t end) {
    return expandedSize > zip::kMaxOffset || compressedSize > zip::kMaxOffset ||
           end > zip::kMaxOffset;
}

void SetTime(uint16_t& dosTime, uint16_t& dosDate, const ALTimeDate& t) {
    dosTime = t.DosTime();
    dosDate = t.DosDate();
}

}  // namespace

int ALZipArchive::WriteStreamed(ALPackPool::Lease& lease, Record& r, ALPackPool& pool) {
    ALStorage& source = *lease.storage;
    ALCompressor& engine = *lease.engine;
    r.offset = storage_->Tell();
    r.zipMethod = engine.GetZipMethod();
    r.zipFlags = engine.GetZipFlags();
    SetTime(r.dosTime, r.dosDate, source.timeDate);
    if (OffsetProblem(r, &source) < 0)
        return status_.GetStatusCode();
    // Placeholder; the real header follows the data.
    WriteLocalHeader(r);
    if (!storage_->Status().Ok())
        return status_.Adopt(storage_->Status(), "");

    if (source.Open() < 0)
        return status_.Adopt(source.Status(), source.GetName());
    source.InitCrc32();
    // A member deflated here is too large to pack ahead: it is cut into
    // pieces that the pool deflates side by side.
    int rc =
        ALPackPool::PacksAhead(&engine)
            ? pool.CompressInPieces(static_cast<ALDeflateCompressor&>(engine), source, *storage_)
            : engine.Compress(source, *storage_);
    r.crc32 = source.GetCrc32();
    r.expandedSize = source.Tell();
    source.Close();
    if (rc < 0) {
        if (!source.Status().Ok())
            return status_.Adopt(source.Status(), source.GetName());
        if (!storage_->Status().Ok())
            return status_.Adopt(storage_->Status(), "");
        return status_.Adopt(engine.Status(), source.GetName());
    }
    int64_t end = storage_->Tell();
    r.compressedSize = end - r.offset - static_cast<int64_t>(zip::kLocalHeaderSize) -
                       static_cast<int64_t>(r.name.size());
    if (TooLarge(r.expandedSize, r.compressedSize, end)) {
        return status_.SetError(al::kIllegalParameter,
                                "%s: More than 4 GB, too large for a ZIP archive",
                                source.GetName().c_str());
    }
    SetTime(r.dosTime, r.dosDate, source.timeDate);
    r.attributes = source.attributes;
    storage_->Seek(r.offset);
    WriteLocalHeader(r);
    storage_->Seek(end);
    if (!storage_->Status().Ok())
        return status_.Adopt(storage_->Status(), "");
    return al::kSuccess;
}

int ALZipArchive::WriteAhead(ALPackPool::Packed& packed, Record& r) {
    const ALStorage* source = packed.lease.storage;
    const ALMemory* data = packed.data.get();
    const size_t size = data ? data->DataSize() : 0;
    r.offset = storage_->Tell();
    r.zipMethod = packed.zipMethod;
    r.zipFlags = packed.zipFlags;
    SetTime(r.dosTime, r.dosDate, ALTimeDate());
    if (OffsetProblem(r, source) < 0)
        return status_.GetStatusCode();
    int64_t end = r.offset + static_cast<int64_t>(zip::kLocalHeaderSize + r.name.size() + size);
    bool tooLarge = TooLarge(packed.expandedSize, static_cast<int64_t>(size), end);
    if (packed.status.Ok() && !tooLarge) {
        r.crc32 = packed.crc32;
        r.expandedSize = packed.expandedSize;
        r.compressedSize = static_cast<int64_t>(size);
        SetTime(r.dosTime, r.dosDate, packed.timeDate);
        r.attributes = packed.attributes;
    }
    // A member that failed is left as a placeholder header and what was
    // packed of it, as when it is packed straight into the archive.
    WriteLocalHeader(r);
    if (size > 0)
        storage_->WriteBuffer(data->Data(), size);
    if (!storage_->Status().Ok())
        return status_.Adopt(storage_->Status(), "");
    if (!packed.status.Ok()) {
        status_ = packed.status;
        return status_.GetStatusCode();
    }
    if (tooLarge) {
        return status_.SetError(al::kIllegalParameter,
                                "%s: More than 4 GB, too large for a ZIP archive",
                                source ? source->GetName().c_str() : r.name.c_str());
    }
    return al::kSuccess;
}

int ALZipArchive::Write(size_t count, const ALPackPool::Lender& lender, bool deflating,
                        const WrittenHook& written) {
    if (storage_->Create() < 0)
        return status_.Adopt(storage_->Status(), "");
    std::vector<Record> records;
    records.reserve(count);
    {
        // Stored archives are written as they are read; deflated members are
        // packed ahead on the pool's threads.
        int threads = !deflating ? 1 : threads_ > 0 ? threads_ : ALPackPool::DefaultThreads();
        ALPackPool pool(count, lender, threads);
        if (progress_)
            pool.SetProgress(progress_);
        for (size_t i = 0; i < count; ++i) {
            ALPackPool::Packed packed = pool.Take(i);
            Record& record = records.emplace_back();
            record.name = std::move(packed.lease.name);
            record.comment = std::move(packed.lease.comment);
            int rc = packed.ahead ? WriteAhead(packed, record)
                                  : WriteStreamed(packed.lease, record, pool);
            if (written)
                written(i, record);
            if (rc < 0) {
                storage_->Close();
                return status_.GetStatusCode();
            }
            // A member deflated in pieces has told its bytes piece by piece.
            if (progress_ && !progress_(record.expandedSize - pool.TakeReported())) {
                storage_->Close();
                return status_.SetError(al::kUserAbort, "Cancelled");
            }
            PumpMessage();
        }
    }
    return WriteDirectory(records);
}

int ALZipArchive::WriteDirectory(const std::vector<Record>& records) {
    int64_t directoryStart = storage_->Tell();
    for (const auto& record : records)
        WriteCentralRecord(record);
    int64_t directorySize = storage_->Tell() - directoryStart;
    if (storage_->Tell() > zip::kMaxOffset) {
        storage_->Close();
        return status_.SetError(al::kIllegalParameter,
                                "Archive passes 4 GB, more than a ZIP archive can address");
    }
    const auto count = static_cast<uint16_t>(records.size());
    unsigned char e[zip::kEndRecordSize];
    Put32(e + 0, zip::kEndRecordSignature);
    Put16(e + 4, 0);
    Put16(e + 6, 0);
    Put16(e + 8, count);
    Put16(e + 10, count);
    Put32(e + 12, static_cast<uint32_t>(directorySize));
    Put32(e + 16, static_cast<uint32_t>(directoryStart));
    Put16(e + 20, static_cast<uint16_t>(comment_.size()));
    storage_->WriteBuffer(e, sizeof e);
    storage_->WriteBuffer(comment_.data(), comment_.size());
    if (storage_->Close() < 0)
        return status_.Adopt(storage_->Status(), "");
    return al::kSuccess;
}

int ALZipArchive::Create(ALEntryList& list) {
    status_.Clear();
    if (CheckList(list) < 0 || CheckComment() < 0)
        return status_.GetStatusCode();
    std::vector<ALEntry*> marked;
    bool deflating = false;
    for (auto& entry : list) {
        if (entry->IsMarked()) {
            marked.push_back(entry.get());
            deflating = deflating || ALPackPool::PacksAhead(entry->GetCompressor());
        }
    }
    auto lender = [&marked](size_t i) {
        ALPackPool::Lease lease;
        lease.name = marked[i]->GetZipName();
        lease.comment = marked[i]->GetComment();
        lease.storage = marked[i]->GetStorage();
        lease.engine = marked[i]->GetCompressor();
        return lease;
    };
    auto written = [&marked](size_t i, const Record& r) {
        ALEntry& entry = *marked[i];
        entry.offset = r.offset;
        entry.compressedSize = r.compressedSize;
        entry.expandedSize = r.expandedSize;
        entry.crc32 = r.crc32;
        entry.zipMethod = r.zipMethod;
        entry.zipFlags = r.zipFlags;
    };
    return Write(marked.size(), lender, deflating, written);
}

int ALZipArchive::Create(const std::vector<Source>& sources, const ALEngineFactory& factory) {
    status_.Clear();
    if (CheckSources(sources) < 0 || CheckComment() < 0)
        return status_.GetStatusCode();
    auto lender = [&sources, &factory](size_t i) {
        ALPackPool::Lease lease;
        lease.name = ZipEntryName(sources[i].name);
        lease.ownedStorage = std::make_unique<ALFile>(sources[i].name, sources[i].path);
        lease.ownedEngine = factory.CreateCompressor();
        lease.storage = lease.ownedStorage.get();
        lease.engine = lease.ownedEngine.get();
        return lease;
    };
    bool deflating = !factory.IsBinaryCopy() && factory.GetLevel() != 0;
    return Write(sources.size(), lender, deflating, nullptr);
}

int ALZipArchive::CheckComment() {
    if (comment_.size() > 0xFFFF) {
        return status_.SetError(al::kIllegalParameter,
                                "Archive comment too long for a ZIP archive");
    }
    return al::kSuccess;
}

std::string zip::MemberSizeProblem(std::string_view path) {
    const long long size = FileSizeOf(path);
    if (size <= kMaxOffset)
        return {};
    return Format("%s is %lld bytes (", DisplayPath(path).c_str(), size) +
           FormatFixed(static_cast<double>(size) / (1 << 30), 1) +
           " GB): a file of 4 GB or more cannot be packed, because ZIP 2.0 sizes are 32-bit";
}

}  // namespace vantrel
