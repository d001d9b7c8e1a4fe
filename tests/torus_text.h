// The generated torus as text in memory, for tests that need a long model.
#pragma once

#include <string>

namespace meshwright::testing {

// The text of the generated torus of about `faces` faces (about 400 bytes a face).
std::string torusText(long faces);
// `text` with every "\n" made "\r\n".
std::string withCarriageReturns(const std::string& text);

}  // namespace meshwright::testing
