#include "archive/al_memory.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vantrel {

ALMemoryBase::ALMemoryBase(std::string name, unsigned char* userBuffer, size_t userSize,
                           size_t bufferSize)
    : ALStorage(std::move(name), bufferSize), userBuffer_(userBuffer), userSize_(userSize) {}

const unsigned char* ALMemoryBase::Data() const {
    return userBuffer_ ? userBuffer_ : owned_.data();
}

size_t ALMemoryBase::DataSize() const {
    return userBuffer_ ? userSize_ : used_;
}

void ALMemoryBase::Reserve(size_t bytes) {
    if (userBuffer_ || bytes > kMaxSize)
        return;
    try {
        owned_.reserve(bytes);
    } catch (const std::bad_alloc&) {
    }
}

int ALMemoryBase::Open() {
    if (IsOpen())
        Close();
    bool userOwned = userSize_ > 0 || userBuffer_;
    if (userOwned && !userBuffer_) {
        return status_.SetError(al::kCantOpenFile,
                                "Attempt to open ALMemory %s with no buffer allocated",
                                name_.c_str());
    }
    int rc = StartIo(Mode::kReading, "Open()");
    if (rc < 0)
        return rc;
    size_ = static_cast<int64_t>(DataSize());
    return al::kSuccess;
}

int ALMemoryBase::Create() {
    if (IsOpen())
        Close();
    if (userSize_ > 0 && !userBuffer_) {
        return status_.SetError(al::kCantOpenFile,
                                "Attempt to open ALMemory %s with no buffer allocated",
                                name_.c_str());
    }
    int rc = StartIo(Mode::kWriting, "Open()");
    if (rc < 0)
        return rc;
    if (!userBuffer_) {
        owned_.clear();
        used_ = 0;
    }
    return al::kSuccess;
}

int ALMemoryBase::LoadBuffer(int64_t address) {
    size_t size = DataSize();
    if (static_cast<uint64_t>(address) > size) {
        return status_.SetError(al::kReadError,
                                "Attempt to read past end of the buffer in ALMemoryBase %s",
                                name_.c_str());
    }
    size_t start = static_cast<size_t>(address);
    size_t n = std::min(buffer_.size(), size - start);
    if (n > 0)
        std::memcpy(buffer_.data(), Data() + start, n);
    valid_ = n;
    return al::kSuccess;
}

int ALMemoryBase::FlushBuffer() {
    uint64_t end = static_cast<uint64_t>(bufferStart_) + index_;
    if (userBuffer_) {
        if (end > userSize_) {
            return status_.SetError(al::kWriteError,
                                    "Attempt to write past the end of a user owned buffer for "
                                    "ALMemory %s",
                                    name_.c_str());
        }
        std::memcpy(userBuffer_ + bufferStart_, buffer_.data(), index_);
        return al::kSuccess;
    }
    if (end > kMaxSize) {
        return status_.SetError(al::kMemoryAllocationFailure,
                                "Attempt to allocate a buffer of %ld bytes for ALMemory %s",
                                static_cast<long>(end), name_.c_str());
    }
    if (end > owned_.size()) {
        try {
            owned_.resize(static_cast<size_t>(end));
        } catch (const std::bad_alloc&) {
            return status_.SetError(al::kMemoryAllocationFailure,
                                    "Allocation failure when attempting to allocate a buffer of "
                                    "%ld bytes for ALMemory %s",
                                    static_cast<long>(end), name_.c_str());
        }
    }
    std::memcpy(owned_.data() + bufferStart_, buffer_.data(), index_);
    used_ = std::max(used_, static_cast<size_t>(end));
    return al::kSuccess;
}

ALMemory::ALMemory(std::string name, size_t bufferSize)
    : ALMemoryBase(std::move(name), nullptr, 0, bufferSize) {}

ALMemory::ALMemory(std::string name, unsigned char* buffer, size_t size, size_t bufferSize)
    : ALMemoryBase(std::move(name), buffer, size, bufferSize) {}

std::string ALMemory::Contents() const {
    return std::string(reinterpret_cast<const char*>(Data()), DataSize());
}

}  // namespace vantrel
