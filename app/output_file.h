// The file a conversion writes, made so that no one ever finds an existing file changed by a
// failed job, or half a file: created new beside nothing, or written aside and renamed into place.
#pragma once

#include <string>

namespace meshwright {

class OutputFile {
  public:
    enum class Mode {
        kCreateNew,       // fails when the name exists; the file is written in place
        kReplace,         // written to a temporary file in the same folder, renamed over the name
        kStandardOutput,  // the process's standard output; nothing to create or remove
    };

    OutputFile() = default;
    // Removes whatever open() created and commit() did not complete.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file; 0, or the errno of the failure (EEXIST for an existing name in kCreateNew).
    // Until commit() or discard(), a SIGINT, SIGTERM or SIGHUP removes what was created.
    int open(const std::string& path, Mode mode);
    int descriptor() const { return descriptor_; }

    // Closes the file and, in kReplace, renames it over the name. Throws WriteError (after
    // removing what it created) when the system reports a failure.
    void commit();
    // Closes and removes what open() created.
    void discard();

  private:
    void forget();

    int descriptor_ = -1;
    Mode mode_ = Mode::kCreateNew;
    std::string path_;     // the name the user asked for
    std::string written_;  // the file actually being written (a temporary one in kReplace)
};

}  // namespace meshwright
