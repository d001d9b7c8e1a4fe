// Which file a name or a descriptor leads to, independent of the path that reached it.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace meshwright {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

inline FileIdentity identityOf(const struct stat& status) {
    return {status.st_dev, status.st_ino};
}

}  // namespace meshwright
