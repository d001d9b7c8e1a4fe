// The file a conversion writes, given its name only once it is complete, so that no one ever
// finds half a file under that name, an existing file changed by a failed job, or their own file
// removed by someone else's job. The one place that holds the output's descriptors.
#pragma once

#include <unistd.h>

#include <optional>
#include <string>

#include "app/file_descriptor.h"
#include "app/file_identity.h"
#include "ase/conversion_error.h"

namespace meshwright {

// The output's name is taken by someone else, when the file is prepared or while the job ran;
// their file is left as it is.
class NameTakenError : public ConversionError {
  public:
    NameTakenError() : ConversionError("the output's name is taken") {}
};

// The output would be the input file itself, through whatever path or link.
class OutputIsInputError : public ConversionError {
  public:
    OutputIsInputError() : ConversionError("the output is the input file itself") {}
};

// The output can't be prepared. what() is the system's reason ("Too many open files"; "Is a
// directory" for a folder where the file should be).
class CreateError : public ConversionError {
  public:
    using ConversionError::ConversionError;
};

class OutputFile {
  public:
    enum class Mode {
        kCreateNew,  // the name must be free when the file is opened and when it is published
        kReplace,    // an existing regular file is replaced as a whole, keeping its permissions
        kStandardOutput,  // the process's standard output; nothing to create or remove
    };

    struct Request {
        std::string path;
        Mode mode = Mode::kCreateNew;
        // An existing device, FIFO or terminal at `path` is opened and written as it is, never
        // replaced (a name the user gave, or --force); otherwise it counts as a taken name.
        bool writeDevicesInPlace = false;
        // The input's file: never written, replaced or published over, whatever the path.
        std::optional<FileIdentity> input;
        // Write under a named temporary even where the file system has unnamed files (tests).
        bool namedTemporary = false;
        // Closes the written file when it is published; tests put a failing close here, as
        // some file systems report a failed write only when the file is closed.
        int (*closeWritten)(int descriptor) = ::close;
    };

    OutputFile() = default;
    // Discards what open() prepared and commit() did not publish.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Prepares the file: nothing appears under the output's name until commit(). Until then a
    // SIGINT, SIGTERM, SIGHUP or SIGQUIT removes a named temporary, if one is used. Throws
    // NameTakenError when kCreateNew finds the name taken (a folder too), OutputIsInputError for
    // the input's file, CreateError for anything else that keeps the file from being prepared;
    // nothing is left open or made then.
    void open(const Request& request);
    // Where to write the code: standard output's, or the prepared file's.
    int descriptor() const {
        return request_.mode == Mode::kStandardOutput ? STDOUT_FILENO : file_.get();
    }
    // The folder and name the file will have, comparable between jobs; none for standard output.
    std::optional<std::string> destination() const;

    // Publishes the complete file under its name. Throws NameTakenError when kCreateNew finds the
    // name taken, WriteError when the system reports a failure or the folder has been moved or
    // removed; either way nothing of the job is left and nothing of another's is touched.
    void commit();
    // Closes the file and removes what open() prepared.
    void discard();

    // Whether anything (a dangling link too) stands under `path`.
    static bool nameTaken(const std::string& path);

  private:
    [[noreturn]] void refuse(int error);
    void openInPlace();
    int stage(bool namedTemporary);
    int createNamedTemporary();
    bool folderStillThere() const;
    void publishNew();
    void replaceExisting();
    void linkUnderTemporaryName();
    [[noreturn]] void abandon(int error);
    [[noreturn]] void abandon(const char* reason);
    void withdrawPublished();
    void closeAll();

    Request request_;
    FileDescriptor file_;        // the file being written; none for standard output
    FileDescriptor folder_;      // the output's folder, held so the file is named where it was made
    bool inPlace_ = false;       // a device or FIFO written as it is
    std::string folderPath_;     // as the path gives it, to see whether it still leads to folder_
    std::string name_;           // the output's name within its folder
    std::string temporaryName_;  // the named temporary in folder_; empty while the file is unnamed
    FileIdentity written_;       // the file behind file_
};

}  // namespace meshwright
