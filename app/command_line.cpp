// Parsing the batch command line.
#include "app/command_line.h"

#include <optional>

#include "app/thread_count.h"
#include "codegen/c_text.h"

namespace meshwright {

const char* const kUsageText =
    "Usage: meshwright -k KIND [-f] [-o PATH] [--name PREFIX] [--normals SOURCE] FILE.ase...\n"
    "Try 'meshwright --help' for more information.\n";

const char* const kHelpText =
    "Usage: meshwright -k KIND [-f] [-o PATH] [--name PREFIX] [--normals SOURCE] FILE.ase...\n"
    "Turns the mesh of each ASE file into C++ code that draws it with OpenGL, written beside\n"
    "the file as FILE.cpp. Without arguments, meshwright asks its questions on the console.\n"
    "\n"
    "  -k, --kind KIND    the code to write (required):\n"
    "                       1, display-list          glBegin/glEnd calls, one block per face\n"
    "                       2, vertex-array          arrays with one entry per corner\n"
    "                       3, indexed-vertex-array  an index array, one entry per vertex\n"
    "                       4, exact-indexed         an index array over the distinct corners:\n"
    "                                                draws exactly what kinds 1 and 2 draw\n"
    "                       5, buffers               a C/C++ header FILE.h of static vertex and\n"
    "                                                index buffers for shaders, cache-ordered\n"
    "  -o, --output PATH  write to PATH instead (one input only); '-' is standard output\n"
    "  -f, --force        replace an existing output, atomically, once the code is complete\n"
    "      --scene        every object of the file, each in a block of its own with its\n"
    "                     name and colour, instead of the file read as one mesh\n"
    "                     (kind 5: a draw record per object, or per sub-material)\n"
    "      --name PREFIX  kind 5: start the header's names with PREFIX (a C identifier);\n"
    "                     by default the file's base name made one\n"
    "      --normals SOURCE  kind 5: file (the file's normals only), smoothing (made from the\n"
    "                     smoothing groups), none; by default the file's, else smoothing\n"
    "  -j, --threads N    use at most N threads to read and write (1: one; by default\n"
    "                     two, or MESHWRIGHT_THREADS); the output is the same either way\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "Exit status: 0 when every file converted, 1 when any failed, 2 for a usage error.\n";

int32_t kindFromName(std::string_view name) {
    const struct {
        std::string_view number, word;
        int32_t kind;
    } kinds[] = {{"1", "display-list", 1},
                 {"2", "vertex-array", 2},
                 {"3", "indexed-vertex-array", 3},
                 {"4", "exact-indexed", 4},
                 {"5", "buffers", 5}};
    for (const auto& entry : kinds) {
        if (name == entry.number || name == entry.word) {
            return entry.kind;
        }
    }
    return 0;
}

namespace {

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    CommandLine parse() {
        bool optionsEnded = false;
        for (index_ = 0; index_ < arguments_.size() && result_.problem.empty(); ++index_) {
            const std::string& argument = arguments_[index_];
            if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
                result_.request.inputs.push_back(argument);
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (!option(argument)) {
                return result_;
            }
        }
        return finish();
    }

  private:
    // Handles one option; false when parsing is over (help, version, or a problem).
    bool option(const std::string& argument) {
        if (argument == "-h" || argument == "--help") {
            result_.action = CommandAction::kHelp;
            return false;
        }
        if (argument == "--version") {
            result_.action = CommandAction::kVersion;
            return false;
        }
        if (argument == "-f" || argument == "--force") {
            result_.request.replace = true;
            return true;
        }
        if (argument == "--scene") {
            result_.request.scene = true;
            return true;
        }
        if (auto kind = valueOf(argument, "-k", "--kind")) {
            result_.request.kind = kindFromName(*kind);
            return result_.request.kind != 0 || problem("unknown kind '" + *kind + "'");
        }
        if (auto name = valueOf(argument, "", "--name")) {
            result_.request.headerPrefix = *name;
            return isCIdentifier(*name) ||
                   problem("--name needs a C identifier, not '" + *name + "'");
        }
        if (auto normals = valueOf(argument, "", "--normals")) {
            result_.request.normalsGiven = true;
            return normalsFromName(*normals) ||
                   problem("unknown normals source '" + *normals + "' (file, smoothing, none)");
        }
        if (auto threads = valueOf(argument, "-j", "--threads")) {
            result_.request.threads = parseThreadCount(*threads);
            return result_.request.threads != 0 ||
                   problem("-j needs a number of threads from 1 to 64, not '" + *threads + "'");
        }
        if (auto output = valueOf(argument, "-o", "--output")) {
            result_.request.outputGiven = true;
            result_.request.outputPath = *output;
            return !output->empty() || problem("empty output path");
        }
        return result_.problem.empty() && problem("unknown option '" + argument + "'");
    }

    bool normalsFromName(const std::string& name) {
        const struct {
            std::string_view name;
            NormalsSource source;
        } sources[] = {{"file", NormalsSource::kFile},
                       {"smoothing", NormalsSource::kSmoothing},
                       {"none", NormalsSource::kNone}};
        for (const auto& s : sources) {
            if (name == s.name) {
                result_.request.normals = s.source;
                return true;
            }
        }
        return false;
    }

    // The value of option `shortName` (none when empty) / `longName` when `argument` is it.
    std::optional<std::string> valueOf(const std::string& argument, const std::string& shortName,
                                       const std::string& longName) {
        if (argument == shortName || argument == longName) {
            if (index_ + 1 >= arguments_.size()) {
                problem("option '" + argument + "' needs a value");
                return std::nullopt;
            }
            return arguments_[++index_];
        }
        if (argument.rfind(longName + "=", 0) == 0) {
            return argument.substr(longName.size() + 1);
        }
        if (!shortName.empty() && argument.size() > 2 && argument.rfind(shortName, 0) == 0) {
            return argument.substr(2);
        }
        return std::nullopt;
    }

    bool problem(const std::string& text) {
        result_.action = CommandAction::kUsageError;
        result_.problem = text;
        return false;
    }

    CommandLine finish() {
        const BatchRequest& request = result_.request;
        if (!result_.problem.empty()) {
            return result_;
        }
        if (request.kind == 0) {
            problem("the kind is missing (-k KIND)");
        } else if (request.inputs.empty()) {
            problem("no input file");
        } else if (request.outputGiven && request.inputs.size() > 1) {
            problem("-o takes one input only");
        } else if (request.kind != 5 && (!request.headerPrefix.empty() || request.normalsGiven)) {
            problem("--name and --normals go with -k buffers only");
        } else {
            result_.action = CommandAction::kConvert;
        }
        return result_;
    }

    const std::vector<std::string>& arguments_;
    size_t index_ = 0;
    CommandLine result_;
};

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    return Parser(arguments).parse();
}

}  // namespace meshwright
