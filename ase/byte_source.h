// Where the token reader's bytes come from: the source it reads through, and one over bytes
// already in memory. The job's file is read by a source of the app's own.
#pragma once

#include <cstddef>
#include <cstdint>
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
    virtual bool rewind() { return false; }
};

// Reads bytes held by the caller, which must outlive the source.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    size_t read(char* destination, size_t capacity) override;
    uint64_t size() const override { return bytes_.size(); }
    bool rewind() override {
        position_ = 0;
        return true;
    }

  private:
    std::string_view bytes_;
    size_t position_ = 0;
};

}  // namespace meshwright
