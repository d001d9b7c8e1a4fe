// What can go wrong with one conversion, and who turns it into words.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace meshwright {

enum class FailureKind {
    kWrongKind,         // the kind is not one the job can write
    kNoExtension,       // the input's name does not end in ".ase"
    kCantOpenInput,     // reason: the system's
    kOutputExists,      // the output name is taken and replacing was not asked for
    kOutputIsInput,     // the output would be the input file itself
    kSharedOutput,      // reason: the earlier input of the run that has the same output
    kCantCreateOutput,  // reason: the system's
    kRejectedInput,     // reason: the fault in the input and where it is
    kCantReadInput,     // reason: the system's
    kCantWriteOutput,   // reason: the system's
    kOutOfMemory,
    kUnexpected,  // reason: what the library said; a failure no other kind names
};

struct Failure {
    FailureKind kind;
    std::string inputName;
    std::string outputName;
    std::string reason;
};

// Where a job's failures go, each once and in the order it meets them; whether the job
// converted is run()'s result, not something to count here.
class Reporter {
  public:
    virtual ~Reporter() = default;
    virtual void report(const Failure& failure) = 0;
};

// The dialogue's lines on the console: "Error: ..." as users of the dialogue know them.
class DialogueReporter : public Reporter {
  public:
    explicit DialogueReporter(std::ostream& console) : console_(console) {}
    void report(const Failure& failure) override;
    // The out-of-memory line, written without taking memory.
    void reportOutOfMemory(const std::string& inputName);

  private:
    std::ostream& console_;
};

// `text` with every control character written as an escape ("\n", "\t", "\r", "\x1b"), so
// that a name can't break a message's line or send commands to a terminal. Other bytes stay.
std::string escapeControlCharacters(std::string_view text);

// One line per failure for scripts: "meshwright: FILE: reason", control characters escaped.
class BatchReporter : public Reporter {
  public:
    explicit BatchReporter(std::ostream& errors) : errors_(errors) {}
    void report(const Failure& failure) override;
    // The out-of-memory line, written without taking memory beyond the escaped name.
    void reportOutOfMemory(const std::string& inputName);

  private:
    std::ostream& errors_;
};

}  // namespace meshwright
