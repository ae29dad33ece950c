#include "archive/zip_reader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "archive/zip_archive.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"

namespace vantrel {

namespace {

using zip::Get16;
using zip::Get32;

// General-purpose flag bits read here.
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagUtf8Name = 0x0800;

}  // namespace

bool SplitMemberName(const std::string& name, std::vector<std::string>& folders,
                     std::string& file) {
    folders.clear();
    file.clear();
    if (name.empty() || name.find('\0') != std::string::npos)
        return false;
    if (name[0] == '/' || name[0] == '\\')
        return false;  // absolute or "\\server\share"
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) {
        return false;  // "C:\x" or drive-relative "C:x"
    }
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/' || name[i] == '\\') {
            if (part == "..")
                return false;
            if (!part.empty() && part != ".")
                parts.push_back(part);
            part.clear();
        } else {
            part += name[i];
        }
    }
    bool isFolder = name.back() == '/' || name.back() == '\\';
    if (parts.empty())
        return isFolder;  // "./" names the destination itself
    if (!isFolder) {
        file = parts.back();
        parts.pop_back();
    }
    folders = std::move(parts);
    return true;
}

ALZipReader::ALZipReader(std::string path) : path_(std::move(path)), archive_(path_) {}

ALZipReader::~ALZipReader() = default;

int ALZipReader::OpenArchive() {
    if (archive_.IsOpen())
        return al::kSuccess;
    if (archive_.Open() < 0)
        return status_.Adopt(archive_.Status(), "");
    return al::kSuccess;
}

int ALZipReader::FindEndRecord(int64_t& position) {
    int64_t size = archive_.GetSize();
    int64_t low = size - std::min(size, kEndScanLength);
    int64_t blockEnd = size;
    unsigned char block[kScanBlock];
    // Backwards in blocks that overlap by 4 bytes, so that a signature
    // across a block boundary is seen whole.
    while (blockEnd - low >= 4) {
        int64_t blockStart = std::max(low, blockEnd - static_cast<int64_t>(kScanBlock));
        size_t length = static_cast<size_t>(blockEnd - blockStart);
        if (archive_.Seek(blockStart) < 0 || archive_.ReadBuffer(block, length) != length) {
            if (!archive_.Status().Ok())
                return status_.Adopt(archive_.Status(), "");
            break;
        }
        for (size_t i = length - 4 + 1; i-- > 0;) {
            if (Get32(block + i) == zip::kEndRecordSignature &&
                blockStart + static_cast<int64_t>(i + zip::kEndRecordSize) <= size) {
                position = blockStart + static_cast<int64_t>(i);
                return al::kSuccess;
            }
        }
        if (blockStart == low)
            break;
        blockEnd = blockStart + 4;
    }
    return status_.SetError(al::kInvalidArchive,
                            "Can't locate end of central directory in ZIP file %s", path_.c_str());
}

int ALZipReader::ReadDirectory(ALEntryList& list) {
    status_.Clear();
    if (OpenArchive() < 0)
        return status_.GetStatusCode();
    int64_t endPos = 0;
    if (FindEndRecord(endPos) < 0)
        return status_.GetStatusCode();
    uint16_t total = 0;
    if (ReadEndRecord(endPos, total) < 0)
        return status_.GetStatusCode();

    archive_.Seek(directoryStart_);
    for (uint16_t i = 0; i < total; ++i) {
        if (ReadCentralRecord(list, endPos) < 0)
            return status_.GetStatusCode();
    }
    return al::kSuccess;
}

int ALZipReader::BadRecord() {
    return status_.SetError(al::kInvalidArchive, "Bad record in central directory of ZIP file %s",
                            path_.c_str());
}

int ALZipReader::ReadEndRecord(int64_t endPos, uint16_t& total) {
    unsigned char end[zip::kEndRecordSize];
    archive_.Seek(endPos);
    if (archive_.ReadBuffer(end, sizeof end) != sizeof end) {
        if (!archive_.Status().Ok())
            return status_.Adopt(archive_.Status(), "");
        return status_.SetError(al::kInvalidArchive,
                                "Can't locate end of central directory in ZIP file %s",
                                path_.c_str());
    }
    total = Get16(end + 10);
    int64_t directorySize = Get32(end + 12);
    int64_t directoryStart = Get32(end + 16);
    uint16_t commentLength = Get16(end + 20);
    size_t available = static_cast<size_t>(
        std::min<int64_t>(commentLength, archive_.GetSize() - endPos - zip::kEndRecordSize));
    comment_.assign(available, '\0');
    archive_.ReadBuffer(comment_.data(), available);

    if (directoryStart + directorySize > endPos)
        return BadRecord();
    directoryStart_ = directoryStart;
    return al::kSuccess;
}

int ALZipReader::ReadCentralRecord(ALEntryList& list, int64_t endPos) {
    unsigned char r[zip::kCentralRecordSize];
    if (archive_.Tell() + static_cast<int64_t>(sizeof r) > endPos ||
        archive_.ReadBuffer(r, sizeof r) != sizeof r || Get32(r) != zip::kCentralRecordSignature) {
        if (!archive_.Status().Ok())
            return status_.Adopt(archive_.Status(), "");
        return BadRecord();
    }
    uint16_t flags = Get16(r + 8);
    uint16_t method = Get16(r + 10);
    uint16_t nameLength = Get16(r + 28);
    uint16_t extraLength = Get16(r + 30);
    uint16_t entryCommentLength = Get16(r + 32);
    if (archive_.Tell() + nameLength + extraLength + entryCommentLength > endPos)
        return BadRecord();
    std::string name(nameLength, '\0');
    std::string entryComment(entryCommentLength, '\0');
    archive_.ReadBuffer(name.data(), nameLength);
    archive_.Seek(archive_.Tell() + extraLength);
    archive_.ReadBuffer(entryComment.data(), entryCommentLength);
    if (!archive_.Status().Ok())
        return status_.Adopt(archive_.Status(), "");

    int64_t offset = Get32(r + 42);
    int64_t compressedSize = Get32(r + 20);
    // The member (local header at least, and its data) must lie before
    // the central directory.
    if (offset + static_cast<int64_t>(zip::kLocalHeaderSize) + compressedSize > directoryStart_)
        return BadRecord();
    if (flags & kFlagUtf8Name) {
        std::string ansi;
        if (Utf8ToCp1252(name, ansi))
            name = ansi;
    }

    std::unique_ptr<ALFile> storage;
    try {
        storage = std::make_unique<ALFile>(name);
    } catch (const std::bad_alloc&) {
        return status_.SetError(al::kCantCreateStorage,
                                "Failure creating storage object in ZIP file %s", path_.c_str());
    }
    storage->timeDate = ALTimeDate::FromDos(Get16(r + 12), Get16(r + 14));
    storage->attributes = Get32(r + 38) & 0x3f;
    try {
        auto entry = std::make_unique<ALEntry>(std::move(storage), nullptr,
                                               ALEngineFactory::CreateDecompressor(method));
        entry->zipFlags = flags;
        entry->zipMethod = method;
        entry->crc32 = Get32(r + 16);
        entry->compressedSize = compressedSize;
        entry->expandedSize = Get32(r + 24);
        entry->offset = offset;
        entry->SetComment(std::move(entryComment));
        list.Add(std::move(entry));
    } catch (const std::bad_alloc&) {
        return status_.SetError(al::kCantCreateStorage,
                                "Failure creating ALEntry object when reading directory in ZIP "
                                "file %s",
                                path_.c_str());
    }
    return al::kSuccess;
}

int ALZipReader::Extract(ALEntryList& list, const std::string& destination) {
    status_.Clear();
    if (OpenArchive() < 0)
        return status_.GetStatusCode();
    if (directoryStart_ < 0) {
        return status_.SetError(al::kLogicError, "Extract() before ReadDirectory() on ZIP file %s",
                                path_.c_str());
    }
    std::string root = destination.empty() ? std::string(".") : destination;
    FileHandle rootFolder;
    if (!rootFolder.Open(root, FileHandle::Mode::kFolder) && errno == ENOENT) {
        MakeFolders(root);
        rootFolder.Open(root, FileHandle::Mode::kFolder);
    }
    if (!rootFolder.IsOpen()) {
        return status_.SetError(al::kCantOpenFile,
                                "File open failure.  Open of %s returned errno = %d", root.c_str(),
                                errno);
    }
    for (auto& entry : list) {
        if (!entry->IsMarked())
            continue;
        if (ExtractOne(*entry, rootFolder) < 0)
            break;
        PumpMessage();
    }
    archive_.Close();
    return status_.GetStatusCode();
}

int ALZipReader::ExtractOne(ALEntry& entry, const FileHandle& root) {
    ALStorage* storage = entry.GetStorage();
    if (!storage)
        return status_.SetError(al::kLogicError, "No storage object for compression engine");
    const std::string& name = storage->GetName();

    std::vector<std::string> folders;
    std::string leaf;
    if (!SplitMemberName(name, folders, leaf)) {
        storage->Status().SetError(al::kInvalidArchive,
                                   "Name leads outside the destination folder; not expanded");
        return status_.Adopt(storage->Status(), name);
    }
    if (!leaf.empty()) {
        if (entry.zipFlags & kFlagEncrypted) {
            storage->Status().SetError(al::kMissingCryptoEngine, "Member is encrypted");
            return status_.Adopt(storage->Status(), name);
        }
        if (!entry.GetDecompressor()) {
            storage->Status().SetError(al::kUnknownCompressionType,
                                       "Attempt to decompress without a decompressor");
            return status_.Adopt(storage->Status(), name);
        }
    }

    // Walk down from the destination one folder at a time, creating what is
    // missing and never following a symbolic link.
    const FileHandle* folder = &root;
    FileHandle walking;
    std::string walked;
    for (const auto& part : folders) {
        walked += walked.empty() ? part : "/" + part;
        FileHandle next;
        if ((!folder->MakeFolderIn(part) && errno != EEXIST) ||
            !next.OpenIn(*folder, part, FileHandle::Mode::kFolder)) {
            int e = errno;
            storage->Status().SetError(al::kCantOpenFile,
                                       "File creation failure.  Open of %s returned errno = %d",
                                       walked.c_str(), e);
            return status_.Adopt(storage->Status(), name);
        }
        walking = std::move(next);
        folder = &walking;
    }
    if (leaf.empty())
        return al::kSuccess;  // a folder entry
    return ExpandInto(entry, *folder, leaf);
}

int ALZipReader::ExpandInto(ALEntry& entry, const FileHandle& folder, const std::string& leaf) {
    ALStorage& storage = *entry.GetStorage();
    const std::string& name = storage.GetName();

    // Local header: its own name and extra lengths say where the data starts.
    unsigned char h[zip::kLocalHeaderSize];
    archive_.Seek(entry.offset);
    if (archive_.ReadBuffer(h, sizeof h) != sizeof h || Get32(h) != zip::kLocalHeaderSignature) {
        if (!archive_.Status().Ok())
            return status_.Adopt(archive_.Status(), name);
        return status_.SetError(al::kInvalidArchive, "%s: Bad local header in ZIP file %s",
                                name.c_str(), path_.c_str());
    }
    int64_t dataStart =
        entry.offset + static_cast<int64_t>(sizeof h) + Get16(h + 26) + Get16(h + 28);
    if (dataStart + entry.compressedSize > directoryStart_) {
        return status_.SetError(al::kInvalidArchive,
                                "Bad record in central directory of ZIP file %s", path_.c_str());
    }

    ALFile temp;
    temp.SetFolder(folder, "");
    temp.SetCaseSensitive(true);
    if (temp.Create() < 0)
        return status_.Adopt(temp.Status(), name);
    auto fail = [&](const ALStatus& why) {
        int code = status_.Adopt(why, name);
        temp.Close();
        temp.Delete();
        return code;
    };

    temp.InitCrc32();
    archive_.Seek(dataStart);
    ALDecompressor& engine = *entry.GetDecompressor();
    if (engine.Decompress(archive_, temp, entry.compressedSize, entry.expandedSize) < 0) {
        if (!archive_.Status().Ok())
            return fail(archive_.Status());
        if (!temp.Status().Ok())
            return fail(temp.Status());
        return fail(engine.Status());
    }
    uint32_t crc = temp.GetCrc32();
    if (crc != entry.crc32) {
        storage.Status().SetError(al::kCrcError, "CRC32 was supposed to be %08lx, was %08lx",
                                  static_cast<unsigned long>(entry.crc32),
                                  static_cast<unsigned long>(crc));
        return fail(storage.Status());
    }
    if (temp.GetSize() != entry.expandedSize) {
        storage.Status().SetError(
            al::kInvalidArchive, "Member expands to %lld bytes, not the recorded %lld",
            static_cast<long long>(temp.GetSize()), static_cast<long long>(entry.expandedSize));
        return fail(storage.Status());
    }
    temp.timeDate = storage.timeDate;
    temp.attributes = storage.attributes;
    temp.SetStampOnClose(true);
    if (temp.Close() < 0)
        return fail(temp.Status());
    // (The temporary name can only be the member's own name when no file of
    // that name was there.)
    if (temp.GetPath() != leaf && temp.Rename(leaf) < 0)
        return fail(temp.Status());
    return al::kSuccess;
}

}  // namespace vantrel
