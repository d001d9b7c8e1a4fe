// The project's one version number, as the installed files show it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "test_support.h"

namespace meshwright {
namespace {

using testing::readFile;

// The title line of the manual page: .TH MESHWRIGHT 1 "date" "meshwright VERSION" "section".
TEST(Version, ManualPageNamesTheProjectVersion) {
    std::istringstream page(readFile(std::string(MESHWRIGHT_SOURCE_DIR) + "/docs/meshwright.1"));
    std::string line;
    while (std::getline(page, line) && line.rfind(".TH ", 0) != 0) {
    }
    EXPECT_NE(line.find("\"meshwright " MESHWRIGHT_PROJECT_VERSION "\""), std::string::npos)
        << "title line: " << line;
}

}  // namespace
}  // namespace meshwright
