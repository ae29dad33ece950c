// A storage object: a named byte stream (a file on disk, or a buffer in
// memory) read and written through a buffer, with the time stamp, MS-DOS
// attributes and comment that an archive records for it, a running CRC-32
// and a status. The compression engines work directly on the buffers of
// their input and output storages (PeekInput/Consume, OutputRoom/Commit), so
// a member of an archive is never held in memory as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "archive/al_status.h"

namespace vantrel {

// MS-DOS attribute bits, as stored in a ZIP central directory record.
namespace al_attr {
constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kSystem = 0x04;
constexpr uint32_t kVolumeLabel = 0x08;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
}  // namespace al_attr

// Local date and time with two-second precision, the way MS-DOS keeps it.
struct ALTimeDate {
    int year = 1980, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;

    // hour * 2048 + minute * 32 + second / 2
    uint16_t DosTime() const;
    // (year - 1980) * 512 + month * 32 + day; years outside 1980..2107 are
    // clamped to the range the format can hold.
    uint16_t DosDate() const;
    static ALTimeDate FromDos(uint16_t time, uint16_t date);
    static ALTimeDate FromUnix(time_t t);
    // Local time; -1 when the fields do not form a time.
    time_t ToUnix() const;
};

class ALStorage {
  public:
    static constexpr size_t kDefaultBufferSize = 256 * 1024;

    explicit ALStorage(std::string name, size_t bufferSize = kDefaultBufferSize);
    virtual ~ALStorage();
    ALStorage(const ALStorage&) = delete;
    ALStorage& operator=(const ALStorage&) = delete;

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Opens existing data for reading at position 0 (size, time stamp and
    // attributes are taken from the data). Create() starts new, empty data
    // for writing. Both return the status code.
    virtual int Open() = 0;
    virtual int Create() = 0;
    // Writes what is buffered and closes; returns the status code.
    virtual int Close();
    bool IsOpen() const { return mode_ != Mode::kClosed; }

    // Byte I/O at the current position. ReadChar returns 0..255, or
    // al::kEndOfFile at the end of the data, or the (negative) error code.
    int ReadChar();
    int WriteChar(int c);
    // Bytes read or written; fewer than asked at the end of the data or on
    // an error (see the status).
    size_t ReadBuffer(void* data, size_t length);
    size_t WriteBuffer(const void* data, size_t length);
    // Little-endian 16- and 32-bit values.
    int WriteShort(uint16_t value);
    int WriteLong(uint32_t value);
    int ReadShort(uint16_t& value);
    int ReadLong(uint32_t& value);

    int Seek(int64_t address);
    int64_t Tell() const { return bufferStart_ + static_cast<int64_t>(index_); }
    // Size of the data: as found by Open(), or as far as written so far.
    int64_t GetSize() const;

    // Engine access while reading: the unread bytes in the buffer (refilled
    // when empty); empty at the end of the data or on an error.
    std::span<const unsigned char> PeekInput();
    void Consume(size_t length);
    // Engine access while writing: the free room in the buffer (flushed when
    // full); empty on an error.
    std::span<unsigned char> OutputRoom();
    void Commit(size_t length);

    // Starts a CRC-32 over every byte read or written from now on.
    void InitCrc32();
    // The standard ZIP CRC-32 (final value complemented) of those bytes.
    uint32_t GetCrc32() const;

    ALTimeDate timeDate;
    uint32_t attributes = 0;  // al_attr bits
    std::string comment;

    ALStatus& Status() { return status_; }
    const ALStatus& Status() const { return status_; }

  protected:
    enum class Mode { kClosed, kReading, kWriting };

    // Reads up to the buffer's size from `address` into the buffer and sets
    // valid_; 0 bytes at the end of the data. Returns the status code.
    virtual int LoadBuffer(int64_t address) = 0;
    // Writes buffer_[0, index_) at bufferStart_. Returns the status code.
    virtual int FlushBuffer() = 0;

    // Allocates the buffer on first use and resets the position to 0.
    int StartIo(Mode mode, const char* where);
    void EndIo();

    std::string name_;
    ALStatus status_;
    Mode mode_ = Mode::kClosed;
    // The I/O buffer; allocated without clearing, released on Close().
    class Buffer {
      public:
        bool Allocate(size_t n) {
            data_.reset(new (std::nothrow) unsigned char[n]);
            size_ = data_ ? n : 0;
            return data_ != nullptr;
        }
        void Release() {
            data_.reset();
            size_ = 0;
        }
        unsigned char* data() const { return data_.get(); }
        size_t size() const { return size_; }
        unsigned char& operator[](size_t i) const { return data_[i]; }

      private:
        std::unique_ptr<unsigned char[]> data_;
        size_t size_ = 0;
    };
    Buffer buffer_;
    size_t bufferSize_;
    int64_t bufferStart_ = 0;  // address of buffer_[0]
    size_t index_ = 0;         // position within the buffer
    size_t valid_ = 0;         // bytes of the buffer that hold data (reading)
    int64_t size_ = 0;         // reading: size of the data; writing: highest address written

  private:
    int Refill();
    int Drain();
    void UpdateCrc(const unsigned char* data, size_t length);

    bool crcOn_ = false;
    uint32_t crc_ = 0;
};

}  // namespace vantrel
