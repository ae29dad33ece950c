// Status of an archive-layer object (archive, storage, engine): an integer
// code, 0 for success and negative for errors, plus an optional detail text.
#pragma once

#include <string>

#include "platform/strings.h"

namespace vantrel {

namespace al {
// Status codes. Each has a fixed text (ALStatus::TextOf).
enum Code : int {
    kSuccess = 0,
    kEndOfFile = -1,
    kCantAllocateBuffer = -1200,
    kMissingCryptoEngine = -1974,
    kInvalidKey = -1975,
    kDuplicateEntry = -1976,
    kListBoxSelectionError = -1977,
    kBackupFailure = -1978,
    kLogicError = -1979,
    kInvalidArchive = -1980,
    kUnknownStorageType = -1981,
    kUnknownCompressionType = -1982,
    kComparisonError = -1983,
    kCrcError = -1984,
    kMissingLength = -1985,
    kCompressionTypeMismatch = -1986,
    kServerNotPresent = -1987,
    kUserAbort = -1988,
    kInternalError = -1989,
    kIllegalParameter = -1990,
    kDeleteError = -1991,
    kWriteError = -1992,
    kReadError = -1993,
    kSeekError = -1994,
    kCantOpenFile = -1995,
    kRenameError = -1996,
    kCantCreateStorage = -1997,
    kCantCreateEngine = -1998,
    kMemoryAllocationFailure = -1999,
};
}  // namespace al

class ALStatus {
  public:
    // The fixed text of a code ("Success", "CRC Error", ... "Unknown error").
    static const char* TextOf(int code);

    int GetStatusCode() const { return code_; }
    bool Ok() const { return code_ >= 0; }
    // The text of the current code.
    const char* GetStatusString() const { return TextOf(code_); }
    // The detail text, or "No errors" when there is none.
    std::string GetStatusDetail() const;
    // The system's error number (errno) when the failure was set, 0 after
    // success: what a failed file call (kCantOpenFile, kReadError,
    // kWriteError, kRenameError, ...) reports; for other codes it may be left
    // over from an earlier call.
    int SystemError() const { return systemError_; }

    // Sets the code and a printf-style detail (no detail when fmt is null).
    // Returns the code, so that callers can write `return status.SetError(...)`.
    int SetError(int code, const char* fmt, ...) VANTREL_PRINTF_FORMAT(3, 4);
    // Takes over another object's failure, prefixing its detail with that
    // object's name: "<name>: <detail>".
    int Adopt(const ALStatus& other, const std::string& otherName);
    void Clear();

  private:
    int code_ = al::kSuccess;
    int systemError_ = 0;
    std::string detail_;
};

}  // namespace vantrel
