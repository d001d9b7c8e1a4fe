// Where the token reader's bytes come from: the source it reads through, and one over bytes
// already in memory. The job's file is read by a source of the app's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ase/conversion_error.h"

namespace meshwright {

// A failed read of the input. what() is the system's reason ("Input/output error").
class ReadError : public ConversionError {
  public:
    using ConversionError::ConversionError;
};

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Copies up to `capacity` bytes into `destination` and returns how many; 0 only at the end of
    // the input. Throws ReadError when the system fails to read.
    virtual size_t read(char* destination, size_t capacity) = 0;
    // The byte length of the whole input as far as it is known before reading (a regular file's
    // size; 0 for a pipe or a device).
    virtual uint64_t size() const = 0;
    // Starts the input again from its first byte; false when it can't be read twice (a pipe).
    virtual bool rewind() { return seek(0); }
    // Goes on reading from `offset` bytes past the input's first byte; false when the input can't
    // be read out of order (a pipe), or `offset` lies past its end.
    virtual bool seek(uint64_t /*offset*/) { return false; }
    // A second, independent source over the same input from `offset` on, which may be read on
    // another thread while this one is; nullptr when the input can't be read twice.
    virtual std::unique_ptr<ByteSource> openAt(uint64_t /*offset*/) const { return nullptr; }
};

// Reads bytes held by the caller, which must outlive the source.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    size_t read(char* destination, size_t capacity) override;
    uint64_t size() const override { return bytes_.size(); }
    bool seek(uint64_t offset) override;
    std::unique_ptr<ByteSource> openAt(uint64_t offset) const override;

  private:
    std::string_view bytes_;
    size_t position_ = 0;
};

}  // namespace meshwright
