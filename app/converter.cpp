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
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "codegen/output.h"
#include "codegen/writers.h"

namespace meshwright {

Converter::Converter(std::string inputName, int32_t kind, std::ostream& console)
    : console_(console), inputName_(std::move(inputName)) {
    const bool kindValid = checkKind(kind);
    if (!checkExtension()) {
        return;
    }
    outputName_ = inputName_.substr(0, inputName_.size() - 4) + ".cpp";
    if (!openInput()) {
        return;
    }
    if (!kindValid) {
        // The job can't run, so it creates nothing: an empty file left behind would make every
        // later try of the same input fail. Only an existing name is still worth telling about.
        reportExistingOutput();
        return;
    }
    createOutput();
}

Converter::~Converter() {
    if (outputFile_ >= 0) {
        discardOutput();
    }
    if (inputFile_ >= 0) {
        close(inputFile_);
    }
}

void Converter::report(const std::string& line) {
    console_ << line << std::endl;
}

bool Converter::checkKind(int32_t kind) {
    if (kind >= 1 && kind <= 3) {
        outputKind_ = static_cast<OutputKind>(kind);
        return true;
    }
    report("Error: Wrong Type (only 1,2 or 3 allowed)");
    failed_ = true;
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
    report("Error: The file MUST have the ASE extension");
    failed_ = true;
    return false;
}

bool Converter::openInput() {
    inputFile_ = open(inputName_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (inputFile_ < 0) {
        report("Error: couldn't open " + inputName_);
        failed_ = true;
        return false;
    }
    return true;
}

void Converter::reportExistingOutput() {
    struct stat status {};
    if (lstat(outputName_.c_str(), &status) == 0) {
        report("Error: file " + outputName_ + " already exists");
        report("No Changes will be done to " + outputName_);
    }
}

bool Converter::createOutput() {
    // O_EXCL makes creation and the existence test one step: an existing file (or a link in its
    // place) is never opened, so it can't be emptied or changed.
    outputFile_ =
        open(outputName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (outputFile_ >= 0) {
        return true;
    }
    if (errno == EEXIST) {
        report("Error: file " + outputName_ + " already exists");
        report("No Changes will be done to " + outputName_);
    } else {
        report("Error: couldn't create " + outputName_ + ": " + std::strerror(errno));
    }
    failed_ = true;
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
        report("Error: " + inputName_ + ": " + error.what());
    } catch (const ReadError& error) {
        report("Error: couldn't read " + inputName_ + ": " + error.what());
    } catch (const WriteError& error) {
        report("Error: couldn't write " + outputName_ + ": " + error.what());
    } catch (const std::bad_alloc&) {
        report("Error: not enough memory to convert " + inputName_);
    }
    discardOutput();
    failed_ = true;
    return false;
}

void Converter::convert() {
    FileSource source(inputFile_);
    TokenReader reader(source);
    const MeshData mesh = readMesh(reader);
    FileSink sink(outputFile_);
    Output out(sink);
    switch (outputKind_) {
        case OutputKind::DisplayList:
            writeDisplayList(mesh, out);
            break;
        case OutputKind::VertexArray:
            writeVertexArray(mesh, out);
            break;
        case OutputKind::IndexedVertexArray:
            writeIndexedVertexArray(mesh, out);
            break;
    }
    out.flush();
    closeOutput();
}

// Closing is where some file systems first report a failed write, so its result counts.
void Converter::closeOutput() {
    const int file = outputFile_;
    outputFile_ = -1;
    if (close(file) != 0) {
        const int reason = errno;
        unlink(outputName_.c_str());
        throw WriteError(std::strerror(reason));
    }
}

void Converter::discardOutput() {
    if (outputFile_ >= 0) {
        close(outputFile_);
        outputFile_ = -1;
        unlink(outputName_.c_str());
    }
}

}  // namespace meshwright
