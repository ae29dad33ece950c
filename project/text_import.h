// Reading a text file into the project: the license and release texts that
// the license page imports and "vantrel-cli set LicenseText=@FILE" reads,
// and the size rule of a registry export file. Reads are bounded: no more
// than the limit and one byte is ever read, whatever the file claims to be.
#pragma once

#include <cstddef>
#include <string>

namespace vantrel {

// A text file imported as a license or release text is smaller than 64 KB.
inline constexpr size_t kTextImportLimit = 64 * 1024;
// A registry export file holds at most 16 MB.
inline constexpr size_t kRegistryFileLimit = 16 * 1024 * 1024;

struct WTextImport {
    enum Status {
        kOk,
        kUnreadable,  // `detail`: the system's reason
        kTooLarge,    // kTextImportLimit bytes or more
        kNotText,     // it holds a zero character
        kUnstorable,  // `detail`: the characters Windows-1252 cannot hold (UTF-8, blank-separated)
    };
    Status status = kOk;
    std::string text;  // Windows-1252, lines ending in a line feed
    std::string detail;

    bool Ok() const { return status == kOk; }
};

// Reads the text file at `path` (engine path): UTF-16 with its byte-order
// mark (little- or big-endian), UTF-8 (a byte-order mark dropped) or, when
// neither, Windows-1252 bytes as they stand. CR LF and a lone CR become a
// line feed.
WTextImport ImportTextFile(const std::string& path);

}  // namespace vantrel
