// The output of a writer: pieces appended in order, every "\n" stored as CR LF, nothing added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace meshwright {

// A failed write of the output. what() is the system's reason ("No space left on device").
class WriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Stores all `size` bytes or throws WriteError.
    virtual void write(const char* data, size_t size) = 0;
};

// Writes to a file descriptor, which it does not own, with write(2).
class FileSink : public ByteSink {
  public:
    explicit FileSink(int descriptor) : descriptor_(descriptor) {}
    void write(const char* data, size_t size) override;

  private:
    int descriptor_;
};

// Collects everything in a string: for tests and for in-memory conversions.
class StringSink : public ByteSink {
  public:
    void write(const char* data, size_t size) override { text.append(data, size); }
    std::string text;
};

class Output {
  public:
    explicit Output(ByteSink& sink, size_t capacity = 1 << 20);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Appends `text`, each "\n" as CR LF.
    void putText(std::string_view text);
    // Appends one character ("\n" as CR LF).
    void putChar(char c);
    // Appends the text of formatReal / formatInt (an integer past 32 bits, such as a draw count of
    // a huge mesh, in the same decimal form).
    void putReal(double value);
    void putInt(int64_t value);
    // Hands everything buffered to the sink. Throws WriteError.
    void flush();

  private:
    void putRaw(const char* data, size_t size);
    void makeRoom(size_t size);

    ByteSink& sink_;
    std::vector<char> buffer_;
    size_t used_ = 0;
};

}  // namespace meshwright
