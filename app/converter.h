// One conversion job: checks the kind and the name, opens the input, creates the output without
// ever replacing a file, reads, writes, and leaves no file behind when anything fails.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace meshwright {

enum class OutputKind : int32_t { DisplayList = 1, VertexArray = 2, IndexedVertexArray = 3 };

class Converter {
  public:
    // Does the whole set-up and reports each failure on `console` as an "Error: " line:
    //  - a kind other than 1, 2, 3: "Error: Wrong Type (only 1,2 or 3 allowed)"; the checks below
    //    still run and report, but no output file is created;
    //  - a name whose last four characters are not ".ase" in any case:
    //    "Error: The file MUST have the ASE extension";
    //  - an input that can't be opened for reading: "Error: couldn't open NAME";
    //  - an output name (the input's name with ".cpp" for its last four characters) that exists:
    //    "Error: file OUT already exists" and "No Changes will be done to OUT"; the existing file
    //    is never opened or changed;
    //  - any other failure to create the output: "Error: couldn't create OUT: REASON".
    Converter(std::string inputName, int32_t kind, std::ostream& console);
    // Closes both files; an output that run() did not complete is removed.
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Reads the mesh and writes the code of the chosen kind; false, and nothing done, when the
    // set-up failed. The output is complete on disk and closed when it returns true. On a
    // rejected input ("Error: NAME: fault"), a read error ("Error: couldn't read NAME: REASON")
    // or a write error ("Error: couldn't write OUT: REASON") it reports, removes the output and
    // returns false.
    bool run();

    bool failed() const { return failed_; }
    const std::string& outputName() const { return outputName_; }

  private:
    bool checkKind(int32_t kind);
    bool checkExtension();
    bool openInput();
    void reportExistingOutput();
    bool createOutput();
    void convert();
    void closeOutput();
    void discardOutput();
    void report(const std::string& line);

    std::ostream& console_;
    std::string inputName_;
    std::string outputName_;
    OutputKind outputKind_ = OutputKind::DisplayList;
    bool failed_ = false;
    int inputFile_ = -1;
    int outputFile_ = -1;
};

}  // namespace meshwright
