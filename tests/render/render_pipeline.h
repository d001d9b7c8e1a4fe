// From a model to a picture, as a user gets there: the built tool writes the fragment, the
// compiler builds it into a drawing function, the render host draws it off screen.
#pragma once

#include <string>
#include <vector>

#include "rgba_image.h"
#include "scene.h"

namespace meshwright::render {

// Runs the built tool on a copy of the model at `asePath`, made in the folder
// `workDir`/kind<kind>, and returns the path of the fragment it wrote there. Kinds 1 to 3 are
// asked for through the dialogue, as its users do; later kinds through the command line. Kind 5
// writes a header (.h) whose names start with kHeaderPrefix.
// Throws std::runtime_error with what the tool said when no fragment appears.
std::string generateFragment(const std::string& asePath, int kind, const std::string& workDir);

// The same for a whole scene: the tool run with --scene on the command line, in the folder
// `workDir`/scene-kind<kind>.
std::string generateSceneFragment(const std::string& asePath, int kind, const std::string& workDir);

struct CompiledFragment {
    std::string module;       // shared module with the fragment inside drawFragment()
    std::string diagnostics;  // everything the compiler said
};

// Compiles the fragment at `fragmentPath` as C++ with warnings on (-Wall -Wextra) and without
// optimisation. Modules are kept in the build folder by the fragment's content, so tests that
// draw the same fragment compile it once. Throws std::runtime_error with the diagnostics when
// compilation fails.
CompiledFragment compileFragment(const std::string& fragmentPath);

// The warning lines of a compiler's output.
std::vector<std::string> compilerWarnings(const std::string& diagnostics);

inline constexpr const char* kHeaderPrefix = "model";

struct CompiledHeader {
    std::string module;          // shared module exposing the buffers through headerView()
    std::string cDiagnostics;    // what the C compiler said (-std=c99 -Wall -Wextra -pedantic)
    std::string cppDiagnostics;  // what the C++ compiler said (-std=c++11, the same warnings)
};

// Compiles header_unit.c around the header at `headerPath` as C99 into a module beside the
// header, and once more as C++11 to hear that compiler out. Throws std::runtime_error with the
// diagnostics when either fails.
CompiledHeader compileHeader(const std::string& headerPath);

// Draws the header module's buffers with the core-profile host (header_host), with kind 1's
// camera and unlit colour, writes the picture to `picturePath` and returns it.
RgbaImage renderHeader(const std::string& module, const std::string& picturePath, int size = 256);

// Draws `module` with the render host in a square frame of `size` pixels, writes the picture
// to `picturePath` and returns it. Throws std::runtime_error with the host's message on failure.
RgbaImage renderFragment(const std::string& module, const SceneOptions& options,
                         const std::string& picturePath, int size = 256);

}  // namespace meshwright::render
