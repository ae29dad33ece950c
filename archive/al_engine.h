// Compression engines: an engine turns the bytes of one storage into the
// compressed bytes of a member in another (compressor), or back
// (decompressor). Each carries its type, its name and a status.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "archive/al_status.h"
#include "archive/al_storage.h"

namespace vantrel {

namespace al {
enum EngineType : int {
    kCopyEngine = 0,     // binary copy, ZIP method 0
    kDeflateEngine = 1,  // zlib raw deflate, ZIP method 8
};
constexpr uint16_t kZipStored = 0;
constexpr uint16_t kZipDeflated = 8;
constexpr uint16_t kZipUnknownMethod = 0xFFFF;
}  // namespace al

class ALCompressor {
  public:
    virtual ~ALCompressor();
    int GetType() const { return type_; }
    // "Binary copy", "Stored", "Deflate Fast", "Deflate Normal", ...
    virtual std::string GetName() const = 0;
    virtual uint16_t GetZipMethod() const = 0;
    // General-purpose flag bits a ZIP header records for this engine.
    virtual uint16_t GetZipFlags() const { return 0; }
    // Reads `input` (open for reading) to its end and appends the compressed
    // form to `output` (open for writing). Returns the status code; a failure
    // is in the status of this engine or of the storage where it happened.
    virtual int Compress(ALStorage& input, ALStorage& output) = 0;
    // Whether Compress pumps messages as it goes (on by default; off on a
    // thread that is not the one of the user interface).
    void SetPumpMessages(bool on) { pump_ = on; }

    ALStatus& Status() { return status_; }

  protected:
    explicit ALCompressor(int type) : type_(type) {}
    void Pump() const;
    ALStatus status_;

  private:
    int type_;
    bool pump_ = true;
};

class ALDecompressor {
  public:
    virtual ~ALDecompressor();
    int GetType() const { return type_; }
    virtual std::string GetName() const = 0;
    // Reads `compressedSize` bytes from `input` at its current position and
    // writes the expanded bytes to `output`, at most `expandedSize` of them
    // (a member that expands to more is corrupt). Returns the status code.
    virtual int Decompress(ALStorage& input, ALStorage& output, int64_t compressedSize,
                           int64_t expandedSize) = 0;

    ALStatus& Status() { return status_; }

  protected:
    explicit ALDecompressor(int type) : type_(type) {}
    ALStatus status_;

  private:
    int type_;
};

// Makes the engines of new entries: binary copy, or deflate at a level.
class ALEngineFactory {
  public:
    static ALEngineFactory BinaryCopy();
    static ALEngineFactory Deflate(int level);

    std::unique_ptr<ALCompressor> CreateCompressor() const;
    // The decompressor for a ZIP method; null for a method this layer does
    // not know.
    static std::unique_ptr<ALDecompressor> CreateDecompressor(uint16_t zipMethod);

    bool IsBinaryCopy() const { return binaryCopy_; }
    int GetLevel() const { return level_; }

  private:
    bool binaryCopy_ = false;
    int level_ = 6;
};

}  // namespace vantrel
