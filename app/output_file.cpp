// Creating, completing and abandoning the output file.
#include "app/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "app/removal_on_signal.h"
#include "codegen/output.h"

namespace meshwright {
namespace {

constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY;

// A name beside `path` that no one else uses: the rename that completes the file stays within
// one folder, and so within one file system, where it is atomic.
int createBeside(const std::string& path, std::string& temporary) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[20];
        std::snprintf(suffix, sizeof suffix, "%012llx",
                      static_cast<unsigned long long>(random() & 0xffffffffffffULL));
        temporary = folder + "." + base + "." + suffix + ".tmp";
        int descriptor = ::open(temporary.c_str(), kCreateFlags, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            return descriptor;
        }
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

OutputFile::~OutputFile() {
    discard();
}

int OutputFile::open(const std::string& path, Mode mode) {
    mode_ = mode;
    path_ = path;
    if (mode == Mode::kStandardOutput) {
        descriptor_ = STDOUT_FILENO;
        return 0;
    }
    const SignalsHeld held;
    if (mode == Mode::kCreateNew) {
        written_ = path;
        descriptor_ = ::open(path.c_str(), kCreateFlags, 0666);
    } else {
        descriptor_ = createBeside(path, written_);
    }
    if (descriptor_ < 0) {
        return errno;
    }
    removeOnSignal(written_.c_str());
    return 0;
}

void OutputFile::commit() {
    if (descriptor_ < 0 || mode_ == Mode::kStandardOutput) {
        descriptor_ = -1;
        return;
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    // Once complete, the file must not be removed by a signal between closing and forgetting.
    const SignalsHeld held;
    // Closing is where some file systems first report a failed write, so its result counts.
    if (close(descriptor) != 0 ||
        (mode_ == Mode::kReplace && std::rename(written_.c_str(), path_.c_str()) != 0)) {
        const int reason = errno;
        unlink(written_.c_str());
        forget();
        throw WriteError(std::strerror(reason));
    }
    forget();
}

void OutputFile::discard() {
    if (descriptor_ < 0) {
        return;
    }
    if (mode_ != Mode::kStandardOutput) {
        close(descriptor_);
        unlink(written_.c_str());
        forget();
    }
    descriptor_ = -1;
}

void OutputFile::forget() {
    forgetRemovalOnSignal();
    written_.clear();
}

}  // namespace meshwright
