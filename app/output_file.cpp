// Preparing, publishing and abandoning the output file.
//
// The file is written unnamed (O_TMPFILE) in the output's folder and linked under its name once
// complete, so a killed job leaves nothing at all; where the file system has no unnamed files it
// is written under a short hidden name instead. Nothing is ever removed by its name alone: only
// a name that still leads to the file this job wrote, so another job's file under a reused name
// is safe.
#include "app/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <tuple>
#include <utility>

#include "app/removal_on_signal.h"
#include "codegen/output.h"

namespace meshwright {
namespace {

// What systems answer when the file system can't make an unnamed file.
bool unnamedFilesUnsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Short, so that it fits beside an output name of any length: the limit is one name's length.
std::string temporaryName() {
    static std::mt19937_64 random(std::random_device{}());
    char name[24];
    std::snprintf(name, sizeof name, ".mw%08llx.tmp",
                  static_cast<unsigned long long>(random() & 0xffffffffULL));
    return name;
}

// The folder part and the last name of `path`. Built whole rather than assigned from literals: g++
// 12 at -O2 and above warns falsely (-Wrestrict) on assigning a literal to a string member here.
std::pair<std::string, std::string> splitPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {std::string(1, '.'), path};
    }
    std::string folder = slash == 0 ? std::string(1, '/') : path.substr(0, slash);
    return {std::move(folder), path.substr(slash + 1)};
}

// Removes `name` from `folder` only while it still leads to the file `own`.
void removeIfOwn(int folder, const std::string& name, FileIdentity own) {
    struct stat status {};
    if (fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        identityOf(status) == own) {
        unlinkat(folder, name.c_str(), 0);
    }
}

// Names the unnamed file open as `descriptor`; never replaces an existing name (EEXIST).
int linkUnnamed(int descriptor, int folder, const char* name) {
    char self[40];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", descriptor);
    if (linkat(AT_FDCWD, self, folder, name, AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    const int error = errno;
    // Without /proc only the direct form is left, which some kernels grant the privileged only.
    if (error == ENOENT && linkat(descriptor, "", folder, name, AT_EMPTY_PATH) == 0) {
        return 0;
    }
    return error;
}

// Gives a named file a second name, never replacing one (EEXIST); a file system without hard
// links gets a rename that refuses to replace instead.
int linkNamed(int folder, const char* from, const char* to) {
    if (linkat(folder, from, folder, to, 0) == 0) {
        return 0;
    }
    const int error = errno;
    if (error != EPERM && error != EOPNOTSUPP && error != ENOSYS && error != EMLINK) {
        return error;
    }
    if (renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0) {
        return 0;
    }
    return errno == EINVAL ? error : errno;
}

}  // namespace

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::nameTaken(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

void OutputFile::open(const Request& request) {
    request_ = request;
    if (request.mode == Mode::kStandardOutput) {
        return;
    }
    std::tie(folderPath_, name_) = splitPath(request.path);
    if (name_.empty()) {
        refuse(EISDIR);
    }
    struct stat link {};
    if (lstat(request.path.c_str(), &link) == 0) {
        struct stat target {};
        const bool resolves = stat(request.path.c_str(), &target) == 0;
        if (resolves && request.input && identityOf(target) == *request.input) {
            throw OutputIsInputError();
        }
        const bool device = resolves && !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode);
        if (device && request.writeDevicesInPlace) {
            return openInPlace();
        }
        if (request.mode == Mode::kCreateNew) {
            throw NameTakenError();
        }
        if (S_ISDIR(link.st_mode) || (resolves && S_ISDIR(target.st_mode))) {
            refuse(EISDIR);
        }
        if (!S_ISREG(link.st_mode) && !S_ISLNK(link.st_mode)) {
            refuse(EEXIST);
        }
    } else if (errno != ENOENT) {
        refuse(errno);
    }
    folder_.reset(::open(folderPath_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder_.isOpen()) {
        refuse(errno);
    }
    if (const int error = stage(request.namedTemporary)) {
        refuse(error);
    }
}

void OutputFile::refuse(int error) {
    closeAll();
    throw CreateError(std::strerror(error));
}

void OutputFile::openInPlace() {
    file_.reset(::open(request_.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!file_.isOpen()) {
        refuse(errno);
    }
    // The name may have become a regular file since it was looked at; that one is not ours to
    // write over.
    struct stat status {};
    if (fstat(file_.get(), &status) != 0 || S_ISREG(status.st_mode)) {
        closeAll();
        throw NameTakenError();
    }
    inPlace_ = true;
}

int OutputFile::stage(bool namedTemporary) {
    if (!namedTemporary) {
        file_.reset(openat(folder_.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        if (file_.isOpen()) {
            struct stat status {};
            fstat(file_.get(), &status);
            written_ = identityOf(status);
            return 0;
        }
        if (!unnamedFilesUnsupported(errno)) {
            return errno;
        }
    }
    return createNamedTemporary();
}

int OutputFile::createNamedTemporary() {
    const SignalsHeld held;  // the file and its removal on a signal appear as one step
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName();
        file_.reset(openat(folder_.get(), name.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (file_.isOpen()) {
            struct stat status {};
            fstat(file_.get(), &status);
            written_ = identityOf(status);
            temporaryName_ = name;
            removeOnSignal(folder_.get(), name.c_str(), written_);
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

std::optional<std::string> OutputFile::destination() const {
    struct stat status {};
    if (inPlace_ && fstat(file_.get(), &status) == 0) {
        return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
    }
    if (!folder_.isOpen() || fstat(folder_.get(), &status) != 0) {
        return std::nullopt;
    }
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino) + "/" + name_;
}

void OutputFile::commit() {
    if (!file_.isOpen()) {
        return;  // standard output, or nothing prepared
    }
    if (inPlace_) {
        inPlace_ = false;
        if (close(file_.release()) != 0) {
            throw WriteError(std::strerror(errno));
        }
        return;
    }
    // The data reach the disk before the name does, so after a crash the name holds the whole
    // file or nothing; this is also where some file systems first report a failed write.
    if (fdatasync(file_.get()) != 0 && errno != EINVAL) {
        abandon(errno);
    }
    if (!folderStillThere()) {
        abandon("its folder was moved or removed");
    }
    if (request_.mode == Mode::kReplace) {
        replaceExisting();
    } else {
        publishNew();
    }
    const int descriptor = file_.release();
    int closed = -1;
    int reason = 0;
    try {
        closed = request_.closeWritten(descriptor);
        reason = errno;
    } catch (...) {
        withdrawPublished();
        throw;
    }
    if (closed != 0) {
        withdrawPublished();
        throw WriteError(std::strerror(reason));
    }
    closeAll();
}

// A new file whose close failed is not taken as written: its name goes again. A replaced file
// is gone by then; the new one stays in its place, as complete as the system let it be.
void OutputFile::withdrawPublished() {
    if (request_.mode == Mode::kCreateNew) {
        removeIfOwn(folder_.get(), name_, written_);
    }
    closeAll();
}

bool OutputFile::folderStillThere() const {
    struct stat held {
    }, named{};
    return fstat(folder_.get(), &held) == 0 && held.st_nlink > 0 &&
           stat(folderPath_.c_str(), &named) == 0 && identityOf(held) == identityOf(named);
}

void OutputFile::publishNew() {
    const int error = temporaryName_.empty()
                          ? linkUnnamed(file_.get(), folder_.get(), name_.c_str())
                          : linkNamed(folder_.get(), temporaryName_.c_str(), name_.c_str());
    if (error == EEXIST) {
        discard();
        throw NameTakenError();
    }
    if (error != 0) {
        abandon(error);
    }
    if (!temporaryName_.empty()) {
        removeIfOwn(folder_.get(), temporaryName_, written_);
        disarmRemovalOnSignal();
        temporaryName_.clear();
    }
}

void OutputFile::replaceExisting() {
    struct stat existing {};
    if (fstatat(folder_.get(), name_.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
        !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) {
        abandon("it is no longer a regular file");
    }
    if (fstatat(folder_.get(), name_.c_str(), &existing, 0) == 0) {
        if (request_.input && identityOf(existing) == *request_.input) {
            abandon("it is the input file");
        }
        // As editors that replace a file do, the new one keeps the old one's permissions.
        if (S_ISREG(existing.st_mode) && fchmod(file_.get(), existing.st_mode & 07777) != 0) {
            abandon(errno);
        }
    }
    if (temporaryName_.empty()) {
        linkUnderTemporaryName();
    }
    if (renameat(folder_.get(), temporaryName_.c_str(), folder_.get(), name_.c_str()) != 0) {
        abandon(errno);
    }
    disarmRemovalOnSignal();
    temporaryName_.clear();
}

// A rename can't take an unnamed file, so the complete file gets a short name first: the only
// moment a kill could leave something behind, and never under the output's name.
void OutputFile::linkUnderTemporaryName() {
    const SignalsHeld held;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName();
        const int error = linkUnnamed(file_.get(), folder_.get(), name.c_str());
        if (error == 0) {
            temporaryName_ = name;
            removeOnSignal(folder_.get(), name.c_str(), written_);
            return;
        }
        if (error != EEXIST) {
            abandon(error);
        }
    }
    abandon(EEXIST);
}

void OutputFile::abandon(int error) {
    abandon(std::strerror(error));
}

void OutputFile::abandon(const char* reason) {
    const std::string text = reason;
    discard();
    throw WriteError(text);
}

void OutputFile::discard() {
    if (!temporaryName_.empty()) {
        removeIfOwn(folder_.get(), temporaryName_, written_);
        disarmRemovalOnSignal();
        temporaryName_.clear();
    }
    closeAll();
}

void OutputFile::closeAll() {
    file_.reset();
    folder_.reset();
    inPlace_ = false;
}

}  // namespace meshwright
