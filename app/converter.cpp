// The conversion job: set-up checks in their fixed order, then read, write, and tidy up.
#include "app/converter.h"

#include <cctype>
#include <new>

#include "app/file_sink.h"
#include "ase/scene_reader.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "codegen/c_text.h"
#include "codegen/output.h"
#include "codegen/scene_writer.h"
#include "codegen/writers.h"

namespace meshwright {

Converter::Converter(std::string inputName, int32_t kind, Reporter& reporter, JobOptions options)
    : reporter_(reporter), inputName_(std::move(inputName)), kind_(kind), options_(options) {}

void Converter::fail(FailureKind kind, const std::string& reason) {
    reporter_.report({kind, inputName_, outputName_, reason});
    stage_ = Stage::kFailed;
}

void Converter::prepare() {
    if (stage_ != Stage::kNew) {
        return;
    }
    try {
        setUp();
    } catch (...) {
        failWithCurrentException();
    }
    if (stage_ == Stage::kNew) {
        stage_ = Stage::kReady;
    }
}

// The checks report and go on, so that one try tells of every fault it can; a failure to open
// either file ends the set-up by its exception.
void Converter::setUp() {
    const bool kindValid = checkKind();
    if (!checkExtension()) {
        return;
    }
    nameOutput();
    input_ = openInputFile(inputName_);
    if (!kindValid) {
        // The job can't run, so it creates nothing: an empty file left behind would make every
        // later try of the same input fail. Only an existing name is still worth telling about.
        if (!options_.replace && !options_.standardOutput) {
            reportExistingOutput();
        }
        return;
    }
    outputFile_.open(outputRequest());
}

bool Converter::checkKind() {
    const bool commandLineKind = (kind_ == 4 || kind_ == 5) && options_.allowCommandLineKinds;
    if ((kind_ >= 1 && kind_ <= 3) || commandLineKind) {
        outputKind_ = static_cast<OutputKind>(kind_);
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

void Converter::nameOutput() {
    const char* extension = outputKind_ == OutputKind::kBuffers ? ".h" : ".cpp";
    outputName_ = options_.standardOutput ? "standard output"
                  : options_.path.empty() ? inputName_.substr(0, inputName_.size() - 4) + extension
                                          : options_.path;
    bufferOptions_.names.prefix =
        options_.headerPrefix.empty() ? cIdentifierFromPath(inputName_, 4) : options_.headerPrefix;
    bufferOptions_.names.sourceName = inputName_.substr(inputName_.rfind('/') + 1);
    bufferOptions_.normals = options_.normals;
}

void Converter::reportExistingOutput() {
    if (OutputFile::nameTaken(outputName_)) {
        fail(FailureKind::kOutputExists);
    }
}

OutputFile::Request Converter::outputRequest() const {
    using Mode = OutputFile::Mode;
    OutputFile::Request request;
    request.path = outputName_;
    request.mode = options_.standardOutput ? Mode::kStandardOutput
                   : options_.replace      ? Mode::kReplace
                                           : Mode::kCreateNew;
    request.writeDevicesInPlace = options_.replace || !options_.path.empty();
    request.input = input_.identity;
    request.namedTemporary = options_.namedTemporary;
    request.closeWritten = options_.closeWritten;
    return request;
}

void Converter::refuseSharedOutput(const std::string& firstInput) {
    if (stage_ == Stage::kReady) {
        fail(FailureKind::kSharedOutput, firstInput);
        outputFile_.discard();
    }
}

bool Converter::run() {
    prepare();
    if (stage_ != Stage::kReady) {
        return false;
    }
    try {
        convert();
        return true;
    } catch (...) {
        failWithCurrentException();
    }
    outputFile_.discard();
    return false;
}

// Each error the job can meet has its one failure kind: the words come from the reporter.
void Converter::failWithCurrentException() {
    try {
        throw;
    } catch (const MeshError& error) {
        fail(FailureKind::kRejectedInput, error.what());
    } catch (const ReadError& error) {
        fail(FailureKind::kCantReadInput, error.what());
    } catch (const WriteError& error) {
        fail(FailureKind::kCantWriteOutput, error.what());
    } catch (const OpenError& error) {
        fail(FailureKind::kCantOpenInput, error.what());
    } catch (const NameTakenError&) {
        fail(FailureKind::kOutputExists);
    } catch (const OutputIsInputError&) {
        fail(FailureKind::kOutputIsInput);
    } catch (const CreateError& error) {
        fail(FailureKind::kCantCreateOutput, error.what());
    } catch (const std::bad_alloc&) {
        fail(FailureKind::kOutOfMemory);
    } catch (const std::exception& error) {
        // Whatever else the library may throw: reported and cleaned up like the rest, instead
        // of ending the process with the output's file still open.
        fail(FailureKind::kUnexpected, error.what());
    }
}

void Converter::checkMeshFound(bool found) const {
    if (options_.requireMesh && !found) {
        throw MeshError("no mesh in " + inputName_);
    }
}

void Converter::convert() {
    FileSource source(input_.descriptor.get());
    FileSink sink(outputFile_.descriptor());
    if (outputKind_ == OutputKind::kBuffers) {
        Output out(sink);
        // The job's threads weld the corners and write the text.
        out.setThreads(int(options_.reading.threads), options_.chunksForTwoThreads);
        writeHeader(source, out);
        out.flush();
    } else {
        writeFragment(source, sink);
    }
    outputFile_.commit();
}

void Converter::writeFragment(ByteSource& source, ByteSink& sink) {
    const KindWriter& writer = *kindWriter(static_cast<int32_t>(outputKind_));
    if (options_.scene) {
        Output out(sink);
        out.setThreads(int(options_.reading.threads), options_.chunksForTwoThreads);
        // One object at a time: memory holds the largest object, not the scene.
        SceneReader scene(source, kInputBlockSize, options_.reading);
        while (std::optional<SceneObject> object = scene.nextObject()) {
            writeSceneObject(*object, writer, out);
        }
        checkMeshFound(scene.meshFound());
        out.flush();
    } else {
        // The reader's block is let go before the output's buffers are taken, so that the two
        // never count together in the peak of memory.
        const MeshData mesh = [this, &source] {
            TokenReader reader(source);
            ReadOptions reading = options_.reading;
            reading.materialIds = false;  // only a scene's parts are cut by material
            return readMesh(reader, reading);
        }();
        checkMeshFound(mesh.sectionFound);
        Output out(sink);
        // The threads that read the lists format the text too.
        out.setThreads(int(options_.reading.threads), options_.chunksForTwoThreads);
        writer.write(mesh, out);
        out.flush();
    }
}

// A header's constants come before its arrays, so all parts are gathered first.
void Converter::writeHeader(ByteSource& source, Output& out) {
    if (options_.scene) {
        SceneReader scene(source, kInputBlockSize, options_.reading);
        try {
            writeSceneBuffers(scene, bufferOptions_, out);
        } catch (const MeshError&) {
            checkMeshFound(scene.meshFound());  // a file without any mesh says so first
            throw;
        }
    } else {
        TokenReader reader(source);
        MeshData mesh = readMesh(reader, options_.reading);
        checkMeshFound(mesh.sectionFound);
        writeBuffers(mesh, bufferOptions_, out);
    }
}

}  // namespace meshwright
