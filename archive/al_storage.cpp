#include "archive/al_storage.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "platform/local_time.h"

namespace vantrel {

// ---- ALTimeDate ----------------------------------------------------------

uint16_t ALTimeDate::DosTime() const {
    if (year < 1980)
        return 0;
    return static_cast<uint16_t>((hour & 0x1f) * 2048 + (minute & 0x3f) * 32 + (second & 0x3f) / 2);
}

uint16_t ALTimeDate::DosDate() const {
    if (year < 1980)
        return static_cast<uint16_t>(0 * 512 + 1 * 32 + 1);
    if (year > 2107)
        return static_cast<uint16_t>(127 * 512 + 12 * 32 + 31);
    return static_cast<uint16_t>((year - 1980) * 512 + (month & 0x0f) * 32 + (day & 0x1f));
}

ALTimeDate ALTimeDate::FromDos(uint16_t time, uint16_t date) {
    ALTimeDate t;
    t.year = 1980 + (date >> 9);
    t.month = (date >> 5) & 0x0f;
    t.day = date & 0x1f;
    t.hour = time >> 11;
    t.minute = (time >> 5) & 0x3f;
    t.second = (time & 0x1f) * 2;
    return t;
}

ALTimeDate ALTimeDate::FromUnix(time_t unixTime) {
    ALTimeDate t;
    struct tm tm {};
    if (!LocalTimeOf(unixTime, tm))
        return t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    if (t.year < 1980)
        t = ALTimeDate();
    return t;
}

time_t ALTimeDate::ToUnix() const {
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 61) {
        return -1;
    }
    struct tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return mktime(&tm);
}

// ---- ALStorage -----------------------------------------------------------

ALStorage::ALStorage(std::string name, size_t bufferSize)
    : name_(std::move(name)), bufferSize_(bufferSize < 64 ? 64 : bufferSize) {}

ALStorage::~ALStorage() = default;

int ALStorage::StartIo(Mode mode, const char* where) {
    status_.Clear();
    if (buffer_.size() != bufferSize_ && !buffer_.Allocate(bufferSize_)) {
        return status_.SetError(al::kCantAllocateBuffer, "Allocation of buffer failed in %s",
                                where);
    }
    mode_ = mode;
    bufferStart_ = 0;
    index_ = 0;
    valid_ = 0;
    size_ = 0;
    crcOn_ = false;
    crc_ = 0;
    return al::kSuccess;
}

void ALStorage::EndIo() {
    mode_ = Mode::kClosed;
    // The buffer is large; an archive's entry list holds one storage per
    // member, so a closed storage gives its buffer back.
    buffer_.Release();
    index_ = 0;
    valid_ = 0;
}

int ALStorage::Close() {
    if (mode_ == Mode::kWriting)
        Drain();
    EndIo();
    return status_.GetStatusCode();
}

int ALStorage::Refill() {
    if (!status_.Ok())
        return status_.GetStatusCode();
    if (mode_ != Mode::kReading) {
        return status_.SetError(al::kLogicError, "Read from %s, which is not open for reading",
                                name_.c_str());
    }
    int64_t address = Tell();
    bufferStart_ = address;
    index_ = 0;
    valid_ = 0;
    return LoadBuffer(address);
}

int ALStorage::Drain() {
    if (!status_.Ok())
        return status_.GetStatusCode();
    if (mode_ != Mode::kWriting) {
        return status_.SetError(al::kLogicError, "Write to %s, which is not open for writing",
                                name_.c_str());
    }
    if (index_ == 0)
        return al::kSuccess;
    int rc = FlushBuffer();
    if (rc < 0)
        return rc;
    size_ = std::max(size_, bufferStart_ + static_cast<int64_t>(index_));
    bufferStart_ += static_cast<int64_t>(index_);
    index_ = 0;
    return al::kSuccess;
}

void ALStorage::UpdateCrc(const unsigned char* data, size_t length) {
    if (crcOn_ && length > 0)
        crc_ = static_cast<uint32_t>(crc32_z(crc_, data, length));
}

void ALStorage::InitCrc32() {
    crcOn_ = true;
    crc_ = static_cast<uint32_t>(crc32_z(0, nullptr, 0));
}

uint32_t ALStorage::GetCrc32() const {
    return crc_;
}

int64_t ALStorage::GetSize() const {
    if (mode_ == Mode::kWriting)
        return std::max(size_, Tell());
    return size_;
}

int ALStorage::ReadChar() {
    if (index_ >= valid_) {
        int rc = Refill();
        if (rc < 0)
            return rc;
        if (valid_ == 0)
            return al::kEndOfFile;
    }
    unsigned char c = buffer_[index_++];
    UpdateCrc(&c, 1);
    return c;
}

size_t ALStorage::ReadBuffer(void* data, size_t length) {
    auto* out = static_cast<unsigned char*>(data);
    size_t done = 0;
    while (done < length) {
        auto in = PeekInput();
        if (in.empty())
            break;
        size_t n = std::min(in.size(), length - done);
        std::memcpy(out + done, in.data(), n);
        Consume(n);
        done += n;
    }
    return done;
}

int ALStorage::WriteChar(int c) {
    auto room = OutputRoom();
    if (room.empty())
        return status_.GetStatusCode();
    room[0] = static_cast<unsigned char>(c);
    Commit(1);
    return c & 0xff;
}

size_t ALStorage::WriteBuffer(const void* data, size_t length) {
    const auto* in = static_cast<const unsigned char*>(data);
    size_t done = 0;
    while (done < length) {
        auto room = OutputRoom();
        if (room.empty())
            break;
        size_t n = std::min(room.size(), length - done);
        std::memcpy(room.data(), in + done, n);
        Commit(n);
        done += n;
    }
    return done;
}

int ALStorage::WriteShort(uint16_t value) {
    unsigned char b[2] = {static_cast<unsigned char>(value),
                          static_cast<unsigned char>(value >> 8)};
    WriteBuffer(b, 2);
    return status_.GetStatusCode();
}

int ALStorage::WriteLong(uint32_t value) {
    unsigned char b[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                          static_cast<unsigned char>(value >> 16),
                          static_cast<unsigned char>(value >> 24)};
    WriteBuffer(b, 4);
    return status_.GetStatusCode();
}

int ALStorage::ReadShort(uint16_t& value) {
    unsigned char b[2];
    if (ReadBuffer(b, 2) != 2)
        return status_.Ok() ? al::kEndOfFile : status_.GetStatusCode();
    value = static_cast<uint16_t>(b[0] | (b[1] << 8));
    return al::kSuccess;
}

int ALStorage::ReadLong(uint32_t& value) {
    unsigned char b[4];
    if (ReadBuffer(b, 4) != 4)
        return status_.Ok() ? al::kEndOfFile : status_.GetStatusCode();
    value = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
            (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return al::kSuccess;
}

int ALStorage::Seek(int64_t address) {
    if (!status_.Ok())
        return status_.GetStatusCode();
    if (address < 0) {
        return status_.SetError(al::kSeekError, "Seek failure on %s.  errno = %d", name_.c_str(),
                                EINVAL);
    }
    if (mode_ == Mode::kReading) {
        if (address >= bufferStart_ && address <= bufferStart_ + static_cast<int64_t>(valid_)) {
            index_ = static_cast<size_t>(address - bufferStart_);
        } else {
            bufferStart_ = address;
            index_ = 0;
            valid_ = 0;
        }
        return al::kSuccess;
    }
    if (mode_ == Mode::kWriting) {
        int rc = Drain();
        if (rc < 0)
            return rc;
        bufferStart_ = address;
        index_ = 0;
        return al::kSuccess;
    }
    return status_.SetError(al::kSeekError, "Seek failure on %s.  errno = %d", name_.c_str(),
                            EBADF);
}

std::span<const unsigned char> ALStorage::PeekInput() {
    if (index_ >= valid_) {
        if (Refill() < 0)
            return {};
    }
    return {buffer_.data() + index_, valid_ - index_};
}

void ALStorage::Consume(size_t length) {
    length = std::min(length, valid_ - index_);
    UpdateCrc(buffer_.data() + index_, length);
    index_ += length;
}

std::span<unsigned char> ALStorage::OutputRoom() {
    if (mode_ != Mode::kWriting || index_ >= buffer_.size()) {
        if (Drain() < 0)
            return {};
    }
    return {buffer_.data() + index_, buffer_.size() - index_};
}

void ALStorage::Commit(size_t length) {
    length = std::min(length, buffer_.size() - index_);
    UpdateCrc(buffer_.data() + index_, length);
    index_ += length;
}

}  // namespace vantrel
