// The commands of each step, and the build folder's store of compiled fragments.
#include "render_pipeline.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "child_process.h"

namespace meshwright::render {

namespace fs = std::filesystem;

namespace {

// Users of the dialogue pick kinds 1 to 3 from its menu; later kinds are on the command line only.
constexpr int kDialogueKinds = 3;
constexpr int kHeaderKind = 5;

// Fragments are compiled as a user's program would compile them: warnings on; no optimisation,
// which keeps compiling thousands of calls in one function quick.
const std::vector<std::string> kCompileOptions = {
    "-std=c++20", "-O0", "-Wall", "-Wextra", "-fPIC", "-shared", "-fdiagnostics-color=never"};

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("can't write " + path);
    }
}

// A name for the module that changes with anything that changes the module: the fragment, the
// unit around it, the compiler and its options.
std::string moduleKey(const std::string& fragmentText) {
    std::string key = fragmentText + '\0' + readText(MESHWRIGHT_FRAGMENT_UNIT) + '\0' +
                      MESHWRIGHT_FRAGMENT_COMPILER;
    for (const std::string& option : kCompileOptions) {
        key += '\0' + option;
    }
    std::ostringstream name;
    name << std::hex << std::hash<std::string>{}(key) << '-' << fragmentText.size();
    return name.str();
}

// How the tool is asked for a fragment.
enum class Asking { kDialogue, kCommandLine, kSceneCommandLine };

// Runs the tool on a copy of `asePath` in `folder` and returns the fragment's path.
std::string runTool(const std::string& asePath, int kind, const fs::path& folder, Asking asking) {
    const std::string name = fs::path(asePath).filename().string();
    fs::create_directories(folder);
    fs::copy_file(asePath, folder / name, fs::copy_options::overwrite_existing);
    const std::string kindText = std::to_string(kind);
    std::vector<std::string> command = {MESHWRIGHT_TOOL_PATH, "-k", kindText, name};
    if (asking == Asking::kSceneCommandLine) {
        command.insert(command.begin() + 3, "--scene");
    }
    if (kind == kHeaderKind) {
        command.insert(command.end() - 1, {"--name", kHeaderPrefix});
    }
    ProcessResult tool =
        asking == Asking::kDialogue
            ? runProcess({MESHWRIGHT_TOOL_PATH}, name + " " + kindText + "\n", folder)
            : runProcess(command, "", folder);
    const fs::path fragment =
        (folder / name).replace_extension(kind == kHeaderKind ? ".h" : ".cpp");
    if (tool.status != 0 || !fs::exists(fragment)) {
        throw std::runtime_error("the tool wrote no fragment for " + name + " in kind " + kindText +
                                 ":\n" + tool.output);
    }
    return fragment.string();
}

}  // namespace

std::string generateFragment(const std::string& asePath, int kind, const std::string& workDir) {
    const fs::path folder = fs::path(workDir) / ("kind" + std::to_string(kind));
    return runTool(asePath, kind, folder,
                   kind <= kDialogueKinds ? Asking::kDialogue : Asking::kCommandLine);
}

std::string generateSceneFragment(const std::string& asePath, int kind,
                                  const std::string& workDir) {
    const fs::path folder = fs::path(workDir) / ("scene-kind" + std::to_string(kind));
    return runTool(asePath, kind, folder, Asking::kSceneCommandLine);
}

CompiledFragment compileFragment(const std::string& fragmentPath) {
    const fs::path store = MESHWRIGHT_MODULE_STORE;
    const std::string key = moduleKey(readText(fragmentPath));
    CompiledFragment compiled{(store / (key + ".so")).string(), ""};
    const std::string diagnosticsPath = (store / (key + ".log")).string();
    if (fs::exists(compiled.module)) {
        compiled.diagnostics = readText(diagnosticsPath);
        return compiled;
    }
    // Build under a name of this process's own, then rename: a module that exists is complete,
    // also while other tests compile the same fragment at the same time.
    fs::create_directories(store);
    const std::string draft = (store / (key + "." + std::to_string(getpid()))).string();
    std::vector<std::string> command = {MESHWRIGHT_FRAGMENT_COMPILER};
    command.insert(command.end(), kCompileOptions.begin(), kCompileOptions.end());
    command.insert(command.end(), {"-DMESHWRIGHT_FRAGMENT=\"" + fragmentPath + "\"",
                                   MESHWRIGHT_FRAGMENT_UNIT, "-o", draft + ".so"});
    ProcessResult compiler = runProcess(command);
    compiled.diagnostics = compiler.output;
    if (compiler.status != 0) {
        fs::remove(draft + ".so");
        throw std::runtime_error("the fragment " + fragmentPath + " doesn't compile:\n" +
                                 compiler.output);
    }
    writeText(draft + ".log", compiler.output);
    fs::rename(draft + ".log", diagnosticsPath);
    fs::rename(draft + ".so", compiled.module);
    return compiled;
}

std::vector<std::string> compilerWarnings(const std::string& diagnostics) {
    std::vector<std::string> found;
    size_t start = 0;
    while (start < diagnostics.size()) {
        size_t end = diagnostics.find('\n', start);
        end = end == std::string::npos ? diagnostics.size() : end;
        std::string line = diagnostics.substr(start, end - start);
        if (line.find("warning:") != std::string::npos) {
            found.push_back(line);
        }
        start = end + 1;
    }
    return found;
}

CompiledHeader compileHeader(const std::string& headerPath) {
    const std::vector<std::string> common = {"-Wall",
                                             "-Wextra",
                                             "-pedantic",
                                             "-O0",
                                             "-fdiagnostics-color=never",
                                             "-DMESHWRIGHT_HEADER=\"" + headerPath + "\"",
                                             std::string("-DMESHWRIGHT_PREFIX=") + kHeaderPrefix,
                                             "-I" MESHWRIGHT_RENDER_DIR};
    CompiledHeader compiled{fs::path(headerPath).replace_extension(".so").string(), "", ""};
    std::vector<std::string> asC = {MESHWRIGHT_C_COMPILER, "-std=c99", "-fPIC", "-shared"};
    asC.insert(asC.end(), common.begin(), common.end());
    asC.insert(asC.end(), {MESHWRIGHT_RENDER_DIR "/header_unit.c", "-o", compiled.module});
    std::vector<std::string> asCpp = {MESHWRIGHT_FRAGMENT_COMPILER, "-std=c++11", "-x", "c++",
                                      "-fsyntax-only"};
    asCpp.insert(asCpp.end(), common.begin(), common.end());
    asCpp.push_back(MESHWRIGHT_RENDER_DIR "/header_unit.c");
    for (auto [command, diagnostics] :
         {std::pair{&asC, &compiled.cDiagnostics}, std::pair{&asCpp, &compiled.cppDiagnostics}}) {
        ProcessResult compiler = runProcess(*command);
        *diagnostics = compiler.output;
        if (compiler.status != 0) {
            throw std::runtime_error("the header " + headerPath + " doesn't compile:\n" +
                                     compiler.output);
        }
    }
    return compiled;
}

RgbaImage renderHeader(const std::string& module, const std::string& picturePath, int size) {
    ProcessResult host =
        runProcess({MESHWRIGHT_HEADER_HOST, "--size", std::to_string(size), module, picturePath});
    if (host.status != 0) {
        throw std::runtime_error("the header host failed on " + module + ":\n" + host.output);
    }
    return readPng(picturePath);
}

RgbaImage renderFragment(const std::string& module, const SceneOptions& options,
                         const std::string& picturePath, int size) {
    std::vector<std::string> command = {MESHWRIGHT_RENDER_HOST, "--size", std::to_string(size)};
    if (options.lighting) {
        command.push_back("--lighting");
    }
    if (options.texture) {
        command.push_back("--texture");
    }
    command.insert(command.end(), {module, picturePath});
    ProcessResult host = runProcess(command);
    if (host.status != 0) {
        throw std::runtime_error("the render host failed on " + module + ":\n" + host.output);
    }
    return readPng(picturePath);
}

}  // namespace meshwright::render
