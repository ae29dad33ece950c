// Memory storage: a storage object on a buffer in memory. The buffer either
// belongs to the caller (fixed size: writing past its end is an error) or is
// grown by the storage as data is written.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/al_storage.h"

namespace vantrel {

class ALMemoryBase : public ALStorage {
  public:
    // Largest buffer a growing storage will allocate.
    static constexpr size_t kMaxSize = size_t{1} << 31;

    int Open() override;
    int Create() override;

    // The data held (for a growing storage: what was written).
    const unsigned char* Data() const;
    size_t DataSize() const;
    // Makes room for `bytes` of data ahead of writing them (a growing
    // storage only; a hint that is dropped when the memory is not there).
    void Reserve(size_t bytes);

  protected:
    ALMemoryBase(std::string name, unsigned char* userBuffer, size_t userSize, size_t bufferSize);

    int LoadBuffer(int64_t address) override;
    int FlushBuffer() override;

  private:
    unsigned char* userBuffer_;
    size_t userSize_;
    std::vector<unsigned char> owned_;
    size_t used_ = 0;  // bytes of data held
};

class ALMemory : public ALMemoryBase {
  public:
    // A storage that grows its own buffer.
    explicit ALMemory(std::string name = "", size_t bufferSize = 16 * 1024);
    // A storage on the caller's buffer of `size` bytes; Open() reads all of
    // it, Create() writes into it.
    ALMemory(std::string name, unsigned char* buffer, size_t size, size_t bufferSize = 16 * 1024);
    // The data as a string (for a growing storage: what was written).
    std::string Contents() const;
};

}  // namespace vantrel
