// The package check of run-tests and run-tool: which Debian packages it names as missing, tried
// with MESHWRIGHT_INSTALLED_PACKAGES standing in for the machine, so nothing is ever installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace meshwright {
namespace {

using testing::fileExists;
using testing::runProgram;
using testing::TempDir;
using testing::ToolResult;
using testing::writeFile;

const std::string kSourceDir = MESHWRIGHT_SOURCE_DIR;

// One of the package lists (tool_packages, test_packages), words separated by spaces.
std::string packageList(const std::string& name) {
    ToolResult listed = runProgram(
        "bash", {"-c", "source scripts/debian-packages.sh && echo \"${" + name + "[*]}\""}, "",
        kSourceDir);
    EXPECT_EQ(listed.status, 0) << listed.err;
    return listed.out.substr(0, listed.out.find('\n'));
}

// Runs ./SCRIPT in the project's folder as if exactly `installed` were the installed packages.
ToolResult runScript(const std::string& script, const std::vector<std::string>& arguments,
                     const std::string& installed, const std::string& path = getenv("PATH")) {
    std::vector<std::string> command = {"MESHWRIGHT_INSTALLED_PACKAGES=" + installed,
                                        "PATH=" + path, "./" + script};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProgram("env", command, "", kSourceDir);
}

std::string missingReport(const std::string& script, const std::string& missing) {
    return "./" + script + ": these Debian packages are missing: " + missing + "\n" +
           "Install them, then run ./" + script + " again:\n" +
           "    sudo apt-get update && sudo apt-get install " + missing + "\n";
}

TEST(PackageCheck, NamesExactlyTheMissingPackagesInListOrder) {
    ASSERT_EQ(packageList("test_packages"), "libgtest-dev libgmock-dev libosmesa6-dev libpng-dev");
    const std::string tool = packageList("tool_packages");
    ToolResult result = runScript("run-tests", {"--check"}, tool + " libosmesa6-dev libgtest-dev");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, missingReport("run-tests", "libgmock-dev libpng-dev"));
}

TEST(PackageCheck, PassesSilentlyWhenEverythingIsInstalled) {
    const std::string everything =
        packageList("tool_packages") + " " + packageList("test_packages");
    ToolResult result = runScript("run-tests", {"--check"}, everything);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
}

// The tool alone builds without the test suite's packages, so run-tool never asks for them.
TEST(PackageCheck, ToolNeedsOnlyTheToolPackages) {
    const std::string tool = packageList("tool_packages");
    ToolResult enough = runScript("run-tool", {"--check"}, tool);
    EXPECT_EQ(enough.status, 0) << enough.err;
    EXPECT_EQ(enough.out + enough.err, "");
    if (!tool.empty()) {
        ToolResult none = runScript("run-tool", {"--check"}, "");
        EXPECT_EQ(none.err, missingReport("run-tool", tool));
    }
}

// Without --check, a missing package stops the script before anything is configured or
// installed, even for root: a stand-in for the machine never changes the real one. Stand-ins
// for cmake and apt-get leave a mark if they are called.
TEST(PackageCheck, MissingPackagesStopTheTestsBeforeTheBuild) {
    TempDir bin;
    const std::string marker = bin.file("cmake-ran");
    for (const char* command : {"cmake", "apt-get"}) {
        writeFile(bin.file(command), "#!/bin/sh\ntouch '" + marker + "'\n");
        std::filesystem::permissions(bin.file(command), std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }
    const std::string tool = packageList("tool_packages");
    ToolResult result =
        runScript("run-tests", {}, tool + " libgtest-dev", bin.path() + ":" + getenv("PATH"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, missingReport("run-tests", "libgmock-dev libosmesa6-dev libpng-dev"));
    EXPECT_FALSE(fileExists(marker));
}

}  // namespace
}  // namespace meshwright
