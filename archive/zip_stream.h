// Reads a ZIP archive front to back as one stream of bytes, without seeking:
// each local header, the member's data (expanded, CRC-32 and size checked on
// the fly), then the central directory, which must name the same members at
// the same offsets with the same sizes and CRCs, and the end record. So an
// archive that is only at hand as a stream (the pieces of a split archive
// joined as they are read) is checked whole without being written anywhere.
//
// A fault in one member (a wrong CRC or size, an unknown method, an
// encrypted member, a name that leaves the folder it would be expanded
// into) is told to the visitor and the reading goes on with the next
// member; a fault of the archive's structure stops the reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "archive/al_status.h"

namespace vantrel {

class ALZipStreamReader {
  public:
    // The archive's next bytes, as many as are at hand; an empty span at its
    // end. The span stays valid until the next call.
    using Input = std::function<std::span<const char>()>;

    struct Member {
        std::string name;  // 8-bit, as ALZipReader gives it
        int64_t offset = 0;
        int64_t compressedSize = 0;
        int64_t expandedSize = 0;
        uint32_t crc32 = 0;
        uint16_t method = 0;
        uint16_t flags = 0;
    };

    class Visitor {
      public:
        virtual ~Visitor() = default;
        // A member begins; true to be given its expanded bytes.
        virtual bool Begin(const Member& member) = 0;
        // The next expanded bytes of the member; false stops the reading
        // (status kUserAbort).
        virtual bool Data(const char* data, size_t size) = 0;
        // The member ended: `status` is ok when it expanded whole with the
        // recorded CRC and size, else it says why not (member name first).
        virtual void End(const Member& member, const ALStatus& status) = 0;
    };

    // Reads the whole archive. Returns the status code: success when its
    // structure is sound (members that failed were told to the visitor).
    int Read(const Input& input, Visitor& visitor);
    // The members the archive holds (after Read).
    size_t MemberCount() const { return count_; }
    ALStatus& Status() { return status_; }

  private:
    ALStatus status_;
    size_t count_ = 0;
};

}  // namespace vantrel
