// Batch mode: converting from scripts and build systems, with no questions and no key wait.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace meshwright {

// Runs the command line `arguments` (without the program's name) and returns the exit status:
// 0 when every file converted, 1 when any failed (the others still convert), 2 for a usage error.
// Silent on success; each failure is one line on `errors`. Help and version go to `out`.
int runBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors);

}  // namespace meshwright
