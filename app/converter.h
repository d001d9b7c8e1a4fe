// One conversion job: checks the kind and the name, opens the input, creates the output without
// ever replacing a file unasked, reads, writes, and leaves no file behind when anything fails.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "app/failure.h"
#include "app/file_source.h"
#include "app/output_file.h"
#include "ase/section_readers.h"
#include "codegen/writers.h"

namespace meshwright {

// The dialogue offers the first three; the command line offers kExactIndexed and kBuffers too.
enum class OutputKind : int32_t {
    kDisplayList = 1,
    kVertexArray = 2,
    kIndexedVertexArray = 3,
    kExactIndexed = 4,
    kBuffers = 5,
};

// Where the generated code goes, and which kinds the job accepts.
struct JobOptions {
    std::string path;  // empty: the input's name with ".cpp" (".h" for kBuffers) for its last 4
    bool standardOutput = false;  // write to standard output instead of a file
    bool replace = false;  // an existing file is replaced, atomically, once the code is complete
    bool allowCommandLineKinds = false;  // kinds 4 and 5 are accepted (the command line's)
    bool requireMesh = false;  // an input without any mesh section fails instead of giving an
                               // empty fragment
    bool scene = false;        // every object of the file, each in its own block (see SceneReader)
    // Write under a named temporary, as where the file system has no unnamed files (tests).
    bool namedTemporary = false;
    std::string headerPrefix;  // kBuffers: the names' prefix; empty: made from the input's name
    NormalsSource normals = NormalsSource::kFileElseSmoothing;  // kBuffers: where normals come from
    ReadOptions reading;  // threads, and when a list is long enough to be read on two
    // How many chunks a run of output needs to be formatted on two threads (tests lower it).
    int64_t chunksForTwoThreads = Output::kChunksForTwoThreads;
    // How the output is closed once written (see OutputFile::Request; tests).
    int (*closeWritten)(int descriptor) = ::close;
};

class Converter {
  public:
    // Keeps the request; opens, creates and reports nothing before prepare() or run().
    Converter(std::string inputName, int32_t kind, Reporter& reporter, JobOptions options = {});
    // Closes both files; an output that run() did not complete never gets its name.
    ~Converter() = default;
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The set-up, once; each failure goes to `reporter`, in this order:
    //  - a kind other than 1, 2, 3 (or 4 and 5 when allowed) (kWrongKind); the checks below still
    //    run and report, but no output file is created;
    //  - a name whose last four characters are not ".ase" in any case (kNoExtension); the set-up
    //    ends there;
    //  - an input that can't be opened for reading, a folder included (kCantOpenInput); never
    //    created;
    //  - an output that is the input itself, through whatever path or link (kOutputIsInput);
    //  - an output name that exists when replacing was not asked for (kOutputExists); the
    //    existing file is never opened or changed;
    //  - any other failure to prepare the output (kCantCreateOutput).
    // Nothing appears under the output's name before run() has written all of it. A device, FIFO
    // or terminal named by `options.path`, or met with `options.replace`, is written in place.
    void prepare();
    // Where the output will go once prepared, comparable between jobs; none when the set-up
    // failed first or the output is standard output.
    std::optional<std::string> outputDestination() const { return outputFile_.destination(); }
    // Refuses a prepared job whose output is the output of `firstInput`'s job in the same run
    // (kSharedOutput); the first job's file stays.
    void refuseSharedOutput(const std::string& firstInput);

    // Prepares the job unless prepare() did, then reads the mesh and writes the code of the
    // chosen kind. The job's outcome: true when the output is complete on disk under its name;
    // false when anything failed, each failure reported once (a rejected input, a read or write
    // error, an output name taken meanwhile as kOutputExists, a shortage of memory, anything
    // else the library throws as kUnexpected), and nothing published.
    bool run();

  private:
    enum class Stage { kNew, kReady, kFailed };

    void setUp();
    bool checkKind();
    bool checkExtension();
    void nameOutput();
    void reportExistingOutput();
    OutputFile::Request outputRequest() const;
    void convert();
    void checkMeshFound(bool found) const;
    void writeFragment(ByteSource& source, ByteSink& sink);  // kinds 1-4
    void writeHeader(ByteSource& source, Output& out);       // kind 5
    void fail(FailureKind kind, const std::string& reason = "");
    void failWithCurrentException();

    Reporter& reporter_;
    std::string inputName_;
    int32_t kind_;
    JobOptions options_;
    Stage stage_ = Stage::kNew;
    std::string outputName_;
    OutputKind outputKind_ = OutputKind::kDisplayList;
    InputFile input_;
    OutputFile outputFile_;
    BufferOptions bufferOptions_;
};

}  // namespace meshwright
