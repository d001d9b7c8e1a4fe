// Shared helpers of the tests: temporary folders, whole-file reads, running the built tool.
#pragma once

#include <string>
#include <vector>

namespace meshwright::testing {

// The bytes of a file; fails the test when it can't be read.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// The names in `folder`, sorted.
std::vector<std::string> namesIn(const std::string& folder);

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

struct ToolResult {
    std::string out;        // standard output
    std::string err;        // standard error
    int status = -1;        // exit status, or 128 + signal number when killed
    long peakMemoryKb = 0;  // the process's peak resident memory
};

// Runs the built meshwright with `arguments` in folder `workingDir`, `input` on standard input,
// and, when `fileSizeLimit` is not negative, that many bytes as the largest file it may write;
// when `memoryLimit` is not negative, that many bytes of address space at the most.
ToolResult runTool(const std::vector<std::string>& arguments, const std::string& input,
                   const std::string& workingDir = ".", long long fileSizeLimit = -1,
                   long long memoryLimit = -1);

// Runs `program` (a path, or a name looked up on PATH) in the same way.
ToolResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, const std::string& workingDir = ".",
                      long long fileSizeLimit = -1, long long memoryLimit = -1);

// Runs meshwright as runTool does, with standard output a pipe whose reading end is already closed.
ToolResult runToolIntoClosedPipe(const std::vector<std::string>& arguments,
                                 const std::string& input, const std::string& workingDir);

// In a forked child: the reading end of `in` and the writing ends of `out` and `err` become the
// standard streams, every other end is closed, and SIGPIPE has its default action again.
void takePipesAsStandardStreams(const int (&in)[2], const int (&out)[2], const int (&err)[2]);

// What the dialogue prints before its answers are read: the banner and both questions.
inline const std::string kDialogueQuestions =
    "Meshwright v1.2 takes a ASE file and creates a CPP file\n"
    "with the code in OpenGL of the 3D object that was in \n"
    "the ASE file. (Make sur you only have ONE object per ASE file)\n"
    "\n"
    "Programmer : Meshwright contributors\n"
    "Email : none, report problems in the project's issue tracker\n"
    "\n"
    "Enter the name of the file\n"
    "\n"
    "Enter \n"
    "1)To create a Dispay List \n"
    "2)To create a Vertex Array\n"
    "3)To create Indexed Vertex Array\n";

// Paths of the test data and of the example models.
std::string dataPath(const std::string& name);
std::string examplePath(const std::string& name);

}  // namespace meshwright::testing
