// The conversion job: set-up checks in their fixed order, then read, write, and tidy up.
#include "app/converter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <new>

#include "ase/byte_source.h"
#include "ase/scene_reader.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "codegen/output.h"
#include "codegen/scene_writer.h"
#include "codegen/writers.h"

namespace meshwright {

Converter::Converter(std::string inputName, int32_t kind, Reporter& reporter, JobOptions options)
    : reporter_(reporter),
      inputName_(std::move(inputName)),
      scene_(options.scene),
      requireMesh_(options.requireMesh) {
    const bool kindValid = checkKind(kind, options.allowExactIndexed);
    if (!checkExtension()) {
        return;
    }
    outputName_ = options.standardOutput ? "standard output"
                  : options.path.empty() ? inputName_.substr(0, inputName_.size() - 4) + ".cpp"
                                         : options.path;
    if (!openInput()) {
        return;
    }
    if (!kindValid) {
        // The job can't run, so it creates nothing: an empty file left behind would make every
        // later try of the same input fail. Only an existing name is still worth telling about.
        if (!options.replace && !options.standardOutput) {
            reportExistingOutput();
        }
        return;
    }
    createOutput(options);
}

Converter::~Converter() {
    outputFile_.discard();
    if (inputFile_ >= 0) {
        close(inputFile_);
    }
}

void Converter::fail(FailureKind kind, const std::string& reason) {
    reporter_.report({kind, inputName_, outputName_, reason});
    failed_ = true;
}

bool Converter::checkKind(int32_t kind, bool allowExactIndexed) {
    if ((kind >= 1 && kind <= 3) || (kind == 4 && allowExactIndexed)) {
        outputKind_ = static_cast<OutputKind>(kind);
        return true;
    }
    fail(FailureKind::kWrongKind);
    return false;
}

bool Converter::checkExtension() {
    const std::string& name = inputName_;
    const size_t n = name.size();
    auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    if (n >= 4 && lower(name[n - 1]) == 'e' && lower(name[n - 2]) == 's' &&
        lower(name[n - 3]) == 'a' && name[n - 4] == '.') {
        return true;
    }
    fail(FailureKind::kNoExtension);
    return false;
}

bool Converter::openInput() {
    inputFile_ = open(inputName_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (inputFile_ < 0) {
        fail(FailureKind::kCantOpenInput, std::strerror(errno));
        return false;
    }
    return true;
}

void Converter::reportExistingOutput() {
    struct stat status {};
    if (lstat(outputName_.c_str(), &status) == 0) {
        fail(FailureKind::kOutputExists);
    }
}

bool Converter::createOutput(const JobOptions& options) {
    using Mode = OutputFile::Mode;
    const Mode mode = options.standardOutput ? Mode::kStandardOutput
                      : options.replace      ? Mode::kReplace
                                             : Mode::kCreateNew;
    const int error = outputFile_.open(outputName_, mode);
    if (error == 0) {
        return true;
    }
    if (error == EEXIST && mode == Mode::kCreateNew) {
        fail(FailureKind::kOutputExists);
    } else {
        fail(FailureKind::kCantCreateOutput, std::strerror(error));
    }
    return false;
}

bool Converter::run() {
    if (failed_) {
        return false;
    }
    try {
        convert();
        return true;
    } catch (const MeshError& error) {
        fail(FailureKind::kRejectedInput, error.what());
    } catch (const ReadError& error) {
        fail(FailureKind::kCantReadInput, error.what());
    } catch (const WriteError& error) {
        fail(FailureKind::kCantWriteOutput, error.what());
    } catch (const std::bad_alloc&) {
        fail(FailureKind::kOutOfMemory);
    }
    outputFile_.discard();
    return false;
}

void Converter::checkMeshFound(bool found) const {
    if (requireMesh_ && !found) {
        throw MeshError("no mesh in " + inputName_);
    }
}

void Converter::convert() {
    FileSource source(inputFile_);
    FileSink sink(outputFile_.descriptor());
    Output out(sink);
    const KindWriter& writer = *kindWriter(static_cast<int32_t>(outputKind_));
    if (scene_) {
        // One object at a time: memory holds the largest object, not the scene.
        SceneReader scene(source);
        while (std::optional<SceneObject> object = scene.nextObject()) {
            writeSceneObject(*object, writer, out);
        }
        checkMeshFound(scene.meshFound());
    } else {
        TokenReader reader(source);
        const MeshData mesh = readMesh(reader);
        checkMeshFound(mesh.sectionFound);
        writer.write(mesh, out);
    }
    out.flush();
    outputFile_.commit();
}

}  // namespace meshwright
