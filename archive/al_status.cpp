#include "archive/al_status.h"

#include <cerrno>
#include <cstdarg>

#include "platform/strings.h"

namespace vantrel {

const char* ALStatus::TextOf(int code) {
    switch (code) {
        case al::kSuccess:
            return "Success";
        case al::kEndOfFile:
            return "End of file";
        case al::kCantAllocateBuffer:
            return "Can't allocate buffer";
        case al::kMissingCryptoEngine:
            return "Missing Crypto engine";
        case al::kInvalidKey:
            return "Invalid key";
        case al::kDuplicateEntry:
            return "Duplicate entry";
        case al::kListBoxSelectionError:
            return "Error getting selections from list box";
        case al::kBackupFailure:
            return "Could not create backup";
        case al::kLogicError:
            return "Logic error";
        case al::kInvalidArchive:
            return "Invalid archive";
        case al::kUnknownStorageType:
            return "Unknown type of storage object";
        case al::kUnknownCompressionType:
            return "Unknown compression type";
        case al::kComparisonError:
            return "Comparison error";
        case al::kCrcError:
            return "CRC Error";
        case al::kMissingLength:
            return "Missing length parameter";
        case al::kCompressionTypeMismatch:
            return "Mismatch in compression type";
        case al::kServerNotPresent:
            return "Server not present";
        case al::kUserAbort:
            return "User abort";
        case al::kInternalError:
            return "Internal error";
        case al::kIllegalParameter:
            return "Illegal parameter";
        case al::kDeleteError:
            return "File deletion error";
        case al::kWriteError:
            return "Write error";
        case al::kReadError:
            return "Read error";
        case al::kSeekError:
            return "Seek error";
        case al::kCantOpenFile:
            return "Can't open file";
        case al::kRenameError:
            return "Error renaming file";
        case al::kCantCreateStorage:
            return "Can't create storage object";
        case al::kCantCreateEngine:
            return "Can't create compression engine";
        case al::kMemoryAllocationFailure:
            return "Memory allocation failure";
        default:
            return "Unknown error";
    }
}

std::string ALStatus::GetStatusDetail() const {
    return detail_.empty() ? std::string("No errors") : detail_;
}

int ALStatus::SetError(int code, const char* fmt, ...) {
    systemError_ = errno;
    code_ = code;
    detail_.clear();
    if (fmt) {
        try {
            va_list args;
            va_start(args, fmt);
            detail_ = FormatV(fmt, args);
            va_end(args);
        } catch (const std::bad_alloc&) {
            detail_ = "Unable to allocate memory for error detail message";
        }
    }
    return code_;
}

int ALStatus::Adopt(const ALStatus& other, const std::string& otherName) {
    code_ = other.code_;
    systemError_ = other.systemError_;
    try {
        std::string detail = other.detail_.empty() ? TextOf(other.code_) : other.detail_;
        detail_ = otherName.empty() ? detail : Format("%s: %s", otherName.c_str(), detail.c_str());
    } catch (const std::bad_alloc&) {
        detail_ = "Unable to allocate memory for error detail message";
    }
    return code_;
}

void ALStatus::Clear() {
    code_ = al::kSuccess;
    systemError_ = 0;
    detail_.clear();
}

}  // namespace vantrel
