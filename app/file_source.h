// The input file: opened for reading, its identity, and its bytes read with read(2).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/file_descriptor.h"
#include "app/file_identity.h"
#include "ase/byte_source.h"
#include "ase/conversion_error.h"

namespace meshwright {

// The input can't be opened for reading. what() is the system's reason ("No such file or
// directory"; "Is a directory" for a folder).
class OpenError : public ConversionError {
  public:
    using ConversionError::ConversionError;
};

struct InputFile {
    FileDescriptor descriptor;
    FileIdentity identity;  // to tell the input from an output, through any path or link
};

// Opens `path` for reading only: never created, never the process's controlling terminal.
// Throws OpenError, a folder included: it opens, but has no text to read.
InputFile openInputFile(const std::string& path);

// Reads an open file descriptor, which it does not own, with read(2); a read interrupted by a
// signal is tried again.
class FileSource : public ByteSource {
  public:
    explicit FileSource(int descriptor);
    size_t read(char* destination, size_t capacity) override;
    uint64_t size() const override { return size_; }
    bool rewind() override;

  private:
    int descriptor_;
    uint64_t size_ = 0;
};

}  // namespace meshwright
