// The input file: opened for reading, its identity, and its bytes read with read(2).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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
// signal is tried again. Offsets count from where the descriptor stood when the source was made;
// only a regular file seeks and opens a second source, which reads with pread(2).
class FileSource : public ByteSource {
  public:
    explicit FileSource(int descriptor);
    size_t read(char* destination, size_t capacity) override;
    uint64_t size() const override { return size_; }
    bool seek(uint64_t offset) override;
    std::unique_ptr<ByteSource> openAt(uint64_t offset) const override;

  private:
    int descriptor_;
    uint64_t size_ = 0;
    bool regular_ = false;  // only a regular file reads the same bytes again
    uint64_t origin_ = 0;   // the descriptor's offset at the start
};

}  // namespace meshwright
