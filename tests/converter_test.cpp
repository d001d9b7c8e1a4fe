// The conversion job in a temporary folder: its checks, its messages, and the files it leaves.
#include "app/converter.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "eager_split_options.h"
#include "test_support.h"
#include "torus_text.h"

namespace meshwright {
namespace {

using testing::fileExists;
using testing::readFile;
using testing::writeFile;

const char* const kTriangle =
    "*MESH_NUMVERTEX 3\n*MESH_NUMFACES 1\n"
    "*MESH_VERTEX_LIST {\n*MESH_VERTEX 0 0 0 0\n*MESH_VERTEX 1 1 0 0\n*MESH_VERTEX 2 0 1 0\n}\n"
    "*MESH_FACE_LIST {\n*MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1 "
    "*MESH_MTLID 0\n}\n";

const char* const kWrongType = "Error: Wrong Type (only 1,2 or 3 allowed)\n";
const char* const kNoExtension = "Error: The file MUST have the ASE extension\n";

// Runs each test inside its own temporary folder, so names can be relative as users type them.
class ConverterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    // Set-up and run of one job; returns what it printed. `namesAfterRun` gets the working
    // folder's names as run() left them, while the job still lives.
    std::string convert(const std::string& name, int32_t kind, const JobOptions& options = {},
                        std::vector<std::string>* namesAfterRun = nullptr) {
        std::ostringstream console;
        DialogueReporter reporter(console);
        Converter job(name, kind, reporter, options);
        job.run();
        if (namesAfterRun != nullptr) {
            *namesAfterRun = testing::namesIn(".");
        }
        return console.str();
    }

    testing::TempDir dir_;
    std::filesystem::path previous_;
};

TEST_F(ConverterTest, OutputNameReplacesTheExtensionKeepingEverythingBefore) {
    std::filesystem::create_directory("models");
    const std::pair<std::string, std::string> names[] = {
        {"model.ase", "model.cpp"},       {"model2.ASE", "model2.cpp"},
        {"model3.aSe", "model3.cpp"},     {"MODEL.ASE", "MODEL.cpp"},
        {"a.b.ase", "a.b.cpp"},           {".ase", ".cpp"},
        {"models/m.ase", "models/m.cpp"}, {"./models/n.AsE", "./models/n.cpp"},
    };
    for (const auto& [input, output] : names) {
        writeFile(input, kTriangle);
        std::ostringstream console;
        DialogueReporter reporter(console);
        Converter job(input, 1, reporter);
        EXPECT_TRUE(job.run()) << input;
        EXPECT_EQ(console.str(), "");
        EXPECT_TRUE(fileExists(output)) << output;
    }
}

TEST_F(ConverterTest, NamesWithoutTheExtensionAreRejectedAndNothingIsCreated) {
    for (const std::string name :
         {"model.as", "model_ase", "ase", "modelase", "", "model.asex", "model,ase"}) {
        writeFile(name.empty() ? "empty" : name, kTriangle);
        EXPECT_EQ(convert(name, 1), kNoExtension) << name;
    }
    EXPECT_FALSE(fileExists("model.cpp"));
    EXPECT_FALSE(fileExists("modelase.cpp"));
}

TEST_F(ConverterTest, WrongKindStillRunsTheLaterChecksButCreatesNothing) {
    writeFile("model.ase", kTriangle);
    EXPECT_EQ(convert("model.ase", 5), kWrongType);
    EXPECT_FALSE(fileExists("model.cpp"));
    EXPECT_EQ(convert("model.as", 0), std::string(kWrongType) + kNoExtension);
    EXPECT_EQ(convert("missing.ase", -1),
              std::string(kWrongType) + "Error: couldn't open missing.ase\n");
    writeFile("model.cpp", "mine");
    EXPECT_EQ(convert("model.ase", 4), std::string(kWrongType) +
                                           "Error: file model.cpp already exists\n"
                                           "No Changes will be done to model.cpp\n");
    EXPECT_EQ(readFile("model.cpp"), "mine");
}

TEST_F(ConverterTest, MissingInputIsReportedAndLeavesNoOutput) {
    EXPECT_EQ(convert("missing.ase", 1), "Error: couldn't open missing.ase\n");
    EXPECT_FALSE(fileExists("missing.cpp"));
    EXPECT_EQ(convert("no/such/folder/model.ase", 2),
              "Error: couldn't open no/such/folder/model.ase\n");
}

TEST_F(ConverterTest, ExistingOutputIsNeverTouched) {
    writeFile("model.ase", kTriangle);
    writeFile("model.cpp", "the user's own code");
    struct stat before {};
    ASSERT_EQ(stat("model.cpp", &before), 0);
    sleep(1);  // a change would show in the modification time
    for (int32_t kind : {1, 2, 3}) {
        EXPECT_EQ(convert("model.ase", kind),
                  "Error: file model.cpp already exists\nNo Changes will be done to model.cpp\n");
    }
    struct stat after {};
    ASSERT_EQ(stat("model.cpp", &after), 0);
    EXPECT_EQ(readFile("model.cpp"), "the user's own code");
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST_F(ConverterTest, DanglingLinkInTheOutputsPlaceCountsAsExisting) {
    writeFile("model.ase", kTriangle);
    ASSERT_EQ(symlink("elsewhere.txt", "model.cpp"), 0);
    EXPECT_EQ(convert("model.ase", 1),
              "Error: file model.cpp already exists\nNo Changes will be done to model.cpp\n");
    EXPECT_FALSE(fileExists("elsewhere.txt"));
}

TEST_F(ConverterTest, OtherCreationFailuresSayWhatHappened) {
#ifdef MESHWRIGHT_SANITIZED
    // The sanitizers' runtime opens files of its own while it checks a call, so it can't run
    // with descriptors this scarce; the normal build runs this test.
    GTEST_SKIP() << "needs every descriptor but one taken";
#endif
    writeFile("model.ase", kTriangle);
    std::ostringstream console;
    DialogueReporter reporter(console);
    // Leave room for exactly one more descriptor: the input takes it, the output can't be made.
    int spare = dup(0);
    close(spare);
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(spare + 1);
    setrlimit(RLIMIT_NOFILE, &tight);
    const bool converted = Converter("model.ase", 1, reporter).run();
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_FALSE(converted);
    EXPECT_EQ(console.str(), "Error: couldn't create model.cpp: Too many open files\n");
    EXPECT_FALSE(fileExists("model.cpp"));
}

TEST_F(ConverterTest, RejectedInputIsReportedAndItsOutputRemoved) {
    writeFile("broken.ase",
              "*MESH_NUMVERTEX 3 *MESH_NUMFACES 1 *MESH_FACE_LIST { *MESH_FACE 0: A: 0 B: 1 C: 7 "
              "*MESH_SMOOTHING 1 *MESH_MTLID 0 }");
    std::string printed = convert("broken.ase", 1);
    EXPECT_EQ(printed.rfind("Error: broken.ase: ", 0), 0u) << printed;
    EXPECT_NE(printed.find("vertex 7"), std::string::npos) << printed;
    EXPECT_FALSE(fileExists("broken.cpp"));
}

// The job may live on after run() (a batch holds its jobs): its output must be gone by then.
TEST_F(ConverterTest, FailedRunRemovesItsOutputBeforeRunReturns) {
    writeFile("broken.ase", "*MESH_NUMVERTEX 1 *MESH_NUMFACES 1 *MESH_FACE_LIST { }");
    for (bool namedTemporary : {false, true}) {
        JobOptions options;
        options.namedTemporary = namedTemporary;
        std::vector<std::string> names;
        EXPECT_NE(convert("broken.ase", 1, options, &names), "");
        EXPECT_EQ(names, std::vector<std::string>{"broken.ase"}) << namedTemporary;
    }
}

// With --force an existing output is no reason to stop, so only the kind is reported.
TEST_F(ConverterTest, WrongKindWithReplaceIsReportedOnce) {
    writeFile("model.ase", kTriangle);
    writeFile("model.cpp", "mine");
    JobOptions options;
    options.replace = true;
    EXPECT_EQ(convert("model.ase", 7, options), kWrongType);
    EXPECT_EQ(readFile("model.cpp"), "mine");
}

int closeThrowingLengthError(int descriptor) {
    close(descriptor);
    throw std::length_error("vector::reserve");
}

// Whatever the library throws ends the job like any failure: reported, and no file left.
TEST_F(ConverterTest, AnyLibraryExceptionIsReportedAndLeavesNothing) {
    writeFile("model.ase", kTriangle);
    JobOptions options;
    options.closeWritten = closeThrowingLengthError;
    std::vector<std::string> names;
    EXPECT_EQ(convert("model.ase", 1, options, &names),
              "Error: couldn't convert model.ase: vector::reserve\n");
    EXPECT_EQ(names, std::vector<std::string>{"model.ase"});
}

TEST_F(ConverterTest, FolderAsInputIsAFailedOpenThatNoLaterCheckHides) {
    std::filesystem::create_directory("folder.ase");
    EXPECT_EQ(convert("folder.ase", 1), "Error: couldn't open folder.ase\n");
    EXPECT_FALSE(fileExists("folder.cpp"));
    EXPECT_EQ(convert("folder.ase", 7),
              std::string(kWrongType) + "Error: couldn't open folder.ase\n");
    writeFile("folder.cpp", "mine");
    EXPECT_EQ(convert("folder.ase", 1), "Error: couldn't open folder.ase\n");
    EXPECT_EQ(readFile("folder.cpp"), "mine");
}

TEST_F(ConverterTest, OutputThatIsTheInputThroughALinkIsAnExistingFile) {
    writeFile("model.ase", kTriangle);
    ASSERT_EQ(symlink("model.ase", "model.cpp"), 0);
    EXPECT_EQ(convert("model.ase", 1),
              "Error: file model.cpp already exists\nNo Changes will be done to model.cpp\n");
    EXPECT_EQ(readFile("model.ase"), kTriangle);
}

TEST_F(ConverterTest, CompleteOutputIsOnDiskWhenRunReturns) {
    writeFile("model.ase", kTriangle);
    std::ostringstream console;
    DialogueReporter reporter(console);
    Converter job("model.ase", 1, reporter);
    ASSERT_TRUE(job.run());
    std::string text = readFile("model.cpp");
    EXPECT_EQ(text.rfind("glBegin(GL_TRIANGLES);\r\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 8), "glEnd();");
}

TEST_F(ConverterTest, FailedSetUpIsReportedOnceAndRunDoesNothing) {
    std::ostringstream console;
    DialogueReporter reporter(console);
    Converter job("missing.ase", 1, reporter);
    job.prepare();
    EXPECT_EQ(console.str(), "Error: couldn't open missing.ase\n");
    EXPECT_FALSE(job.run());
    EXPECT_EQ(console.str(), "Error: couldn't open missing.ase\n");
}

// A job made and dropped (a batch that stops early, a test) must not have touched the disk or
// the console: all of that belongs to its set-up.
TEST_F(ConverterTest, MakingAJobOpensCreatesAndReportsNothing) {
    writeFile("model.ase", kTriangle);
    std::ostringstream console;
    DialogueReporter reporter(console);
    {
        Converter wrongKind("model.ase", 9, reporter);
        Converter missing("missing.ase", 1, reporter);
        Converter ready("model.ase", 1, reporter);
        EXPECT_EQ(testing::namesIn("."), std::vector<std::string>{"model.ase"});
    }
    EXPECT_EQ(console.str(), "");
    EXPECT_EQ(testing::namesIn("."), std::vector<std::string>{"model.ase"});
}

}  // namespace
}  // namespace meshwright

namespace meshwright {
namespace {

// A file read on two threads (by pread, beside the first thread's reads) makes the same bytes in
// every kind, and a rejected file the same message, as one thread.
TEST_F(ConverterTest, TwoThreadsWriteTheSameBytesAndMessagesAsOne) {
    const std::string torus = testing::torusText(6000);
    std::string broken = torus;
    broken.replace(broken.rfind("*MESH_TFACE "), 12, "*MESH_TFACE -2 ");  // an index below 0
    writeFile("torus.ase", torus);
    writeFile("broken.ase", broken);
    JobOptions options = testing::eagerSplitOptions();
    // The file as one mesh, then as a scene, whose object's lists are confined to its block.
    for (bool scene : {false, true}) {
        options.scene = scene;
        for (int32_t kind = 1; kind <= 5; ++kind) {
            SCOPED_TRACE("kind " + std::to_string(kind) + (scene ? ", scene" : ""));
            std::string outputs[2];
            std::string messages[2];
            for (unsigned threads : {1u, 2u}) {
                ReadReport report;
                options.reading.threads = threads;
                options.reading.report = &report;
                EXPECT_EQ(convert("torus.ase", kind, options), "");
                outputs[threads - 1] = readFile(kind == 5 ? "torus.h" : "torus.cpp");
                messages[threads - 1] = convert("broken.ase", kind, options);
                EXPECT_EQ(report.scoutsTaken > 0, threads == 2);
            }
            EXPECT_EQ(outputs[1], outputs[0]);
            EXPECT_EQ(messages[1], messages[0]);
            EXPECT_NE(messages[0].find("Error: broken.ase: "), std::string::npos) << messages[0];
        }
    }
}

}  // namespace
}  // namespace meshwright
