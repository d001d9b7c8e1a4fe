// The batch command line: meshwright [OPTIONS] FILE.ase...
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codegen/vertex_buffers.h"

namespace meshwright {

struct BatchRequest {
    int32_t kind = 0;
    bool outputGiven = false;
    std::string outputPath;  // "-" is standard output
    bool replace = false;    // -f, --force: an existing output is replaced
    bool scene = false;      // --scene: every object of each file
    std::vector<std::string> inputs;
    std::string headerPrefix;  // --name; empty when not given
    bool normalsGiven = false;
    NormalsSource normals = NormalsSource::kFileElseSmoothing;
    unsigned threads = 0;  // -j, --threads; 0 when not given
};

enum class CommandAction { kConvert, kHelp, kVersion, kUsageError };

struct CommandLine {
    CommandAction action = CommandAction::kUsageError;
    BatchRequest request;
    std::string problem;  // for kUsageError: what is wrong, in a few words
};

// Reads the arguments after the program's name. Options: -k/--kind KIND (required: see
// kindFromName), -o/--output PATH (one input only), -f/--force, --scene, --name PREFIX (a C
// identifier) and --normals file|smoothing|none (kind 5 only), -j/--threads N (1 to 64),
// -h/--help, --version; "--" ends the options. Values may follow as the next argument, or
// joined: "-k2", "--kind=2".
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The kind a -k value names by its number or its name, or 0 when it names none: 1 display-list,
// 2 vertex-array, 3 indexed-vertex-array, 4 exact-indexed, 5 buffers.
int32_t kindFromName(std::string_view name);

extern const char* const kUsageText;
extern const char* const kHelpText;

}  // namespace meshwright
