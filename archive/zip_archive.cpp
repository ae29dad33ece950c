#include "archive/zip_archive.h"

#include <set>

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

int ALZipArchive::CheckList(ALEntryList& list) {
    std::set<std::string, LessNoCase> names;
    size_t marked = 0;
    for (auto& entry : list) {
        if (!entry->GetStorage()) {
            return status_.SetError(al::kLogicError, "No storage object for compression engine");
        }
        if (!names.insert(entry->GetZipName()).second) {
            return status_.SetError(al::kDuplicateEntry,
                                    "Duplicate entry in list passed to Create()");
        }
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
    if (comment_.size() > 0xFFFF) {
        return status_.SetError(al::kIllegalParameter,
                                "Archive comment too long for a ZIP archive");
    }
    return al::kSuccess;
}

void ALZipArchive::WriteLocalHeader(const ALEntry& entry, const std::string& name) {
    const ALStorage& s = *entry.GetStorage();
    unsigned char h[zip::kLocalHeaderSize];
    Put32(h + 0, zip::kLocalHeaderSignature);
    Put16(h + 4, zip::kVersion);
    Put16(h + 6, entry.zipFlags);
    Put16(h + 8, entry.zipMethod);
    Put16(h + 10, s.timeDate.DosTime());
    Put16(h + 12, s.timeDate.DosDate());
    Put32(h + 14, entry.crc32);
    Put32(h + 18, static_cast<uint32_t>(entry.compressedSize));
    Put32(h + 22, static_cast<uint32_t>(entry.expandedSize));
    Put16(h + 26, static_cast<uint16_t>(name.size()));
    Put16(h + 28, 0);
    storage_->WriteBuffer(h, sizeof h);
    storage_->WriteBuffer(name.data(), name.size());
}

void ALZipArchive::WriteCentralRecord(const ALEntry& entry, const std::string& name) {
    const ALStorage& s = *entry.GetStorage();
    const std::string& comment = entry.GetComment();
    unsigned char h[zip::kCentralRecordSize];
    Put32(h + 0, zip::kCentralRecordSignature);
    Put16(h + 4, zip::kVersion);
    Put16(h + 6, zip::kVersion);
    Put16(h + 8, entry.zipFlags);
    Put16(h + 10, entry.zipMethod);
    Put16(h + 12, s.timeDate.DosTime());
    Put16(h + 14, s.timeDate.DosDate());
    Put32(h + 16, entry.crc32);
    Put32(h + 20, static_cast<uint32_t>(entry.compressedSize));
    Put32(h + 24, static_cast<uint32_t>(entry.expandedSize));
    Put16(h + 28, static_cast<uint16_t>(name.size()));
    Put16(h + 30, 0);
    Put16(h + 32, static_cast<uint16_t>(comment.size()));
    Put16(h + 34, 0);
    Put16(h + 36, 0);
    Put32(h + 38, s.attributes & 0x3f);
    Put32(h + 42, static_cast<uint32_t>(entry.offset));
    storage_->WriteBuffer(h, sizeof h);
    storage_->WriteBuffer(name.data(), name.size());
    storage_->WriteBuffer(comment.data(), comment.size());
}

int ALZipArchive::WriteMember(ALEntry& entry, const std::string& name) {
    ALStorage& source = *entry.GetStorage();
    ALCompressor& engine = *entry.GetCompressor();
    entry.offset = storage_->Tell();
    entry.zipMethod = engine.GetZipMethod();
    entry.zipFlags = engine.GetZipFlags();
    entry.crc32 = 0;
    entry.compressedSize = 0;
    entry.expandedSize = 0;
    if (entry.offset > zip::kMaxOffset) {
        return status_.SetError(al::kIllegalParameter,
                                "%s: Archive passes 4 GB, more than a ZIP archive can address",
                                source.GetName().c_str());
    }
    // Placeholder; the real header follows the data.
    WriteLocalHeader(entry, name);
    if (!storage_->Status().Ok())
        return status_.Adopt(storage_->Status(), "");

    if (source.Open() < 0)
        return status_.Adopt(source.Status(), source.GetName());
    source.InitCrc32();
    int rc = engine.Compress(source, *storage_);
    entry.crc32 = source.GetCrc32();
    entry.expandedSize = source.Tell();
    source.Close();
    if (rc < 0) {
        if (!source.Status().Ok())
            return status_.Adopt(source.Status(), source.GetName());
        if (!storage_->Status().Ok())
            return status_.Adopt(storage_->Status(), "");
        return status_.Adopt(engine.Status(), source.GetName());
    }
    int64_t end = storage_->Tell();
    entry.compressedSize = end - entry.offset - static_cast<int64_t>(zip::kLocalHeaderSize) -
                           static_cast<int64_t>(name.size());
    if (entry.expandedSize > zip::kMaxOffset || entry.compressedSize > zip::kMaxOffset ||
        end > zip::kMaxOffset) {
        // Sizes that do not fit the header's 32 bits would give a corrupt
        // archive; refuse instead.
        return status_.SetError(al::kIllegalParameter,
                                "%s: More than 4 GB, too large for a ZIP archive",
                                source.GetName().c_str());
    }
    storage_->Seek(entry.offset);
    WriteLocalHeader(entry, name);
    storage_->Seek(end);
    if (!storage_->Status().Ok())
        return status_.Adopt(storage_->Status(), "");
    return al::kSuccess;
}

int ALZipArchive::Create(ALEntryList& list) {
    status_.Clear();
    if (CheckList(list) < 0)
        return status_.GetStatusCode();
    if (storage_->Create() < 0)
        return status_.Adopt(storage_->Status(), "");

    for (auto& entry : list) {
        if (!entry->IsMarked())
            continue;
        if (WriteMember(*entry, entry->GetZipName()) < 0) {
            storage_->Close();
            return status_.GetStatusCode();
        }
        PumpMessage();
    }

    int64_t directoryStart = storage_->Tell();
    uint16_t count = 0;
    for (auto& entry : list) {
        if (!entry->IsMarked())
            continue;
        WriteCentralRecord(*entry, entry->GetZipName());
        ++count;
    }
    int64_t directorySize = storage_->Tell() - directoryStart;
    if (storage_->Tell() > zip::kMaxOffset) {
        storage_->Close();
        return status_.SetError(al::kIllegalParameter,
                                "Archive passes 4 GB, more than a ZIP archive can address");
    }

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

std::string zip::MemberSizeProblem(std::string_view path) {
    const long long size = FileSizeOf(path);
    if (size <= kMaxOffset)
        return {};
    return Format(
        "%s is %lld bytes (%.1f GB): a file of 4 GB or more cannot be packed, because "
        "ZIP 2.0 sizes are 32-bit",
        DisplayPath(path).c_str(), size, static_cast<double>(size) / (1 << 30));
}

}  // namespace vantrel
