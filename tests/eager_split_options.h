// Job options under which a small generated model takes every two-thread path.
#pragma once

#include "app/converter.h"

namespace meshwright::testing {

// Command-line kinds, outputs replaced, two threads, and thresholds low enough that a torus of a
// few thousand faces has its lists split between two readers and its blocks written in chunks on
// both threads.
inline JobOptions eagerSplitOptions() {
    JobOptions options;
    options.allowCommandLineKinds = true;
    options.replace = true;
    options.reading.threads = 2;
    options.reading.sampleRecords = 16;
    options.reading.scoutRecordsAtLeast = 64;
    options.reading.scoutBytesAtLeast = 0;
    options.chunksForTwoThreads = 3;
    return options;
}

}  // namespace meshwright::testing
