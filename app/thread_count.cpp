// The number of threads a conversion may use.
#include "app/thread_count.h"

#include <cstdlib>

namespace meshwright {

unsigned parseThreadCount(std::string_view text) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != text.npos) {
        return 0;
    }
    unsigned count = 0;
    for (char digit : text) {
        count = 10 * count + static_cast<unsigned>(digit - '0');
    }
    return count <= kMostThreads ? count : 0;
}

unsigned threadsToUse(unsigned requested) {
    if (requested != 0) {
        return requested;
    }
    if (const char* variable = std::getenv("MESHWRIGHT_THREADS")) {
        if (const unsigned count = parseThreadCount(variable)) {
            return count;
        }
    }
    return 2;
}

}  // namespace meshwright
