// Reading a long list's second half on another thread changes nothing: the same mesh, or the same
// error, as one thread reading it all, whatever the text holds where the halves meet.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "ase/list_scout.h"
#include "ase/mesh_lists.h"
#include "ase/scene_reader.h"
#include "ase/section_readers.h"
#include "test_support.h"
#include "torus_text.h"

namespace meshwright {
namespace {

using testing::dataPath;
using testing::readFile;
using testing::torusText;
using testing::withCarriageReturns;

// Everything readMesh gives, floats by their exact bits, or the error it throws.
std::string dumpOf(const MeshData& mesh) {
    std::string dump;
    char number[64];
    auto put = [&](const char* format, auto value) {
        std::snprintf(number, sizeof number, format, value);
        dump += number;
    };
    auto putPoints = [&](const char* name, const std::optional<std::vector<Vec3f>>& points) {
        dump += name;
        if (points) {
            for (const Vec3f& point : *points) {
                put(" %a", double(point.x)), put(",%a", double(point.y)),
                    put(",%a", double(point.z));
            }
        }
        dump += '\n';
    };
    put("counts %d", mesh.vertexCount), put(" %d", mesh.faceCount), put(" %d", mesh.tVertexCount);
    put(" %d\n", mesh.tvFaceCount);
    putPoints("vertices", mesh.vertices);
    putPoints("face normals", mesh.faceNormals);
    putPoints("corner normals", mesh.cornerNormals);
    putPoints("texture vertices", mesh.tVertices);
    dump += "faces";
    if (mesh.faces) {
        for (size_t j = 0; j < mesh.faces->size(); ++j) {
            const FaceRecord& face = (*mesh.faces)[j];
            put(" %d", face.a), put(",%d", face.b), put(",%d", face.c), put(",%d", face.smoothing);
            put(",%u", face.smoothingGroups), put(",%d", (*mesh.materialIds)[j]);
        }
    }
    dump += "\ntexture faces";
    if (mesh.tFaces) {
        for (const TexFaceRecord& tFace : *mesh.tFaces) {
            put(" %d", tFace.a), put(",%d", tFace.b), put(",%d", tFace.c);
        }
    }
    return dump;
}

// Small thresholds, so that lists of a few dozen records are read on two threads.
ReadOptions twoThreads(size_t scoutBlockSize, ReadReport* report) {
    ReadOptions options;
    options.threads = 2;
    options.sampleRecords = 8;
    options.scoutRecordsAtLeast = 16;
    options.scoutBytesAtLeast = 0;
    options.scoutBlockSize = scoutBlockSize;
    options.report = report;
    return options;
}

std::string outcome(const std::string& text, const ReadOptions& options, size_t blockSize) {
    MemorySource source(text);
    TokenReader reader(source, blockSize);
    try {
        return dumpOf(readMesh(reader, options));
    } catch (const std::exception& error) {
        return std::string("error: ") + error.what();
    }
}

// The text read as a scene: each object's name and mesh, or the error.
std::string sceneOutcome(const std::string& text, const ReadOptions& options, size_t blockSize) {
    MemorySource source(text);
    SceneReader scene(source, blockSize, options);
    std::string dump;
    try {
        while (std::optional<SceneObject> object = scene.nextObject()) {
            dump += object->name + "\n" + dumpOf(object->mesh) + "\n";
        }
        return dump;
    } catch (const std::exception& error) {
        return dump + "error: " + error.what();
    }
}

TEST(ListScout, AGeneratedModelReadsTheSameOnTwoThreadsAcrossBlockEnds) {
    const std::string lineFeeds = torusText(6000);
    const std::string carriageReturns = withCarriageReturns(lineFeeds);
    const std::string expected = outcome(lineFeeds, {}, size_t{1} << 20);
    ASSERT_EQ(expected.find("error"), std::string::npos);
    for (const std::string* text : {&lineFeeds, &carriageReturns}) {
        for (size_t blockSize : {size_t{1} << 20, size_t{4093}}) {
            for (size_t scoutBlockSize : {size_t{256} << 10, size_t{509}}) {
                SCOPED_TRACE(std::to_string(blockSize) + " " + std::to_string(scoutBlockSize));
                ReadReport report;
                EXPECT_EQ(outcome(*text, twoThreads(scoutBlockSize, &report), blockSize), expected);
                // Vertices, faces, texture vertices and faces, normals: each split in two.
                EXPECT_EQ(report.scoutsSent, 5);
                EXPECT_EQ(report.scoutsTaken, 5);
                EXPECT_GT(report.recordsTaken, 6000);
            }
        }
    }
}

// In a scene, each object's words are confined to its block, where braces count: the lists of
// each object are still read on two threads.
TEST(ListScout, TheObjectsOfASceneReadTheSameOnTwoThreads) {
    const std::string torus = torusText(6000);
    const std::string twoObjects = torus + torus;
    const std::string carriageReturns = withCarriageReturns(twoObjects);
    const std::string expected = sceneOutcome(twoObjects, {}, size_t{1} << 20);
    ASSERT_EQ(expected.find("error"), std::string::npos);
    for (const std::string* text : {&twoObjects, &carriageReturns}) {
        for (size_t blockSize : {size_t{1} << 20, size_t{4093}}) {
            SCOPED_TRACE(blockSize);
            ReadReport report;
            EXPECT_EQ(sceneOutcome(*text, twoThreads(509, &report), blockSize), expected);
            EXPECT_EQ(report.scoutsTaken, 10);  // five lists in each object
        }
    }
}

TEST(ListScout, TheToolsOwnThresholdsSplitALargeModel) {
    const std::string text = torusText(80000);
    ReadReport report;
    ReadOptions options;
    options.threads = 2;
    options.report = &report;
    EXPECT_EQ(outcome(text, options, size_t{1} << 20), outcome(text, {}, size_t{1} << 20));
    EXPECT_GE(report.scoutsTaken, 2);
}

// The lines that open the records of each list.
const char* const kRecordLabels[] = {"*MESH_VERTEX ", "*MESH_FACE ", "*MESH_TVERT ", "*MESH_TFACE ",
                                     "*MESH_FACENORMAL "};

// Where the line that opens the `nth` record labelled `label` starts, or npos.
size_t recordLine(const std::string& text, std::string_view label, size_t nth) {
    size_t at = 0;
    for (size_t seen = 0;; ++seen, at += label.size()) {
        at = text.find(label, at);
        if (at == std::string::npos || seen == nth) {
            return at;
        }
    }
}

size_t recordsOf(const std::string& text, std::string_view label) {
    size_t count = 0;
    for (size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
        ++count;
    }
    return count;
}

// Irregular text put where a record opens: each changes the line from `at` (its label) on.
struct Irregularity {
    const char* name;
    std::string (*change)(const std::string& line);
};

// The number after the label, replaced.
std::string withNumber(const std::string& line, const std::string& number) {
    const size_t digits = line.find_first_of("0123456789");
    const size_t end = line.find_first_not_of("0123456789", digits);
    return line.substr(0, digits) + number + line.substr(end);
}

const Irregularity kIrregularities[] = {
    {"an index out of order", [](const std::string& line) { return withNumber(line, "7"); }},
    {"an index past the count", [](const std::string& line) { return withNumber(line, "999999"); }},
    {"a negative index", [](const std::string& line) { return withNumber(line, "-1"); }},
    {"a number one too high",
     [](const std::string& line) {
         const size_t digits = line.find_first_of("0123456789");
         return withNumber(line, std::to_string(std::stol(line.substr(digits)) + 1));
     }},
    {"a misspelled label", [](const std::string& line) { return "*MESH_X" + line.substr(6); }},
    {"a NUL inside the label",
     [](const std::string& line) {
         return line.substr(0, 3) + std::string(1, '\0') + line.substr(3);
     }},
    {"a Ctrl-Z before the record", [](const std::string& line) { return "\x1a" + line; }},
    // The text ends inside the number: the record is whole, the next one is cut short.
    {"a Ctrl-Z in the record's last number",
     [](const std::string& line) { return line.substr(0, line.size() - 1) + "\x1a"; }},
    {"a line of other words before the record",
     [](const std::string& line) { return "*COMMENT \"a note\" 1 2\n\t\t\t" + line; }},
    {"no smoothing group word",
     [](const std::string& line) {
         std::string changed = line;
         if (size_t at = changed.find("*MESH_SMOOTHING"); at != std::string::npos) {
             changed.erase(at, 15);
         }
         return changed;
     }},
    {"the input ending inside the record",
     [](const std::string& line) { return line.substr(0, line.find_first_of("\t ", 8) + 3); }},
    // Braces count in a scene's object: a record may close its list early, or open a block.
    {"a closing brace for the last number",
     [](const std::string& line) { return line.substr(0, line.find_last_of("\t ") + 1) + "}"; }},
    {"an opening brace for the last number",
     [](const std::string& line) { return line.substr(0, line.find_last_of("\t ") + 1) + "{"; }},
    {"a block opened and closed inside the record",
     [](const std::string& line) {
         const size_t gap = line.find_first_of("\t ", 8);
         return line.substr(0, gap) + " {\t}" + line.substr(gap);
     }},
};

// The text with `irregularity` put into the record that opens at `at`; the input's end, when
// the change ends it there.
std::string changedAt(const std::string& text, size_t at, const Irregularity& irregularity) {
    const size_t lineEnd = text.find('\n', at);
    const std::string line = text.substr(at, lineEnd - at);
    const std::string changed = irregularity.change(line);
    if (std::string_view(irregularity.name) == "the input ending inside the record") {
        return text.substr(0, at) + changed;
    }
    return text.substr(0, at) + changed + text.substr(lineEnd);
}

// Reads `text` as one mesh and as a scene, each on one thread and on two; counts the scouts.
void expectSameOnTwoThreads(const std::string& text, size_t scoutBlockSize, int& taken,
                            int& givenUp) {
    for (auto read : {outcome, sceneOutcome}) {
        ReadReport report;
        EXPECT_EQ(read(text, twoThreads(scoutBlockSize, &report), 4093), read(text, {}, 4093))
            << (read == outcome ? "as one mesh" : "as a scene");
        taken += report.scoutsTaken;
        givenUp += report.scoutsSent - report.scoutsTaken;
    }
}

TEST(ListScout, IrregularTextWhereverItStandsGivesTheSameMeshOrError) {
    const std::string text = torusText(600);
    int taken = 0;
    int givenUp = 0;
    for (const char* label : kRecordLabels) {
        const size_t records = recordsOf(text, label);
        ASSERT_GT(records, 40u) << label;
        // Before the scout's start, near it on both sides, and past it.
        for (size_t nth : {records / 4, records / 2 - 1, records / 2, records / 2 + 2,
                           3 * records / 4, records - 1}) {
            const size_t at = recordLine(text, label, nth);
            for (const Irregularity& irregularity : kIrregularities) {
                SCOPED_TRACE(std::string(label) + " record " + std::to_string(nth) + ": " +
                             irregularity.name);
                const std::string changed = changedAt(text, at, irregularity);
                for (size_t scoutBlockSize : {size_t{256} << 10, size_t{97}}) {
                    expectSameOnTwoThreads(changed, scoutBlockSize, taken, givenUp);
                }
            }
        }
    }
    // Both ways of ending a scout were met.
    EXPECT_GT(taken, 0);
    EXPECT_GT(givenUp, 0);
}

TEST(ListScout, RandomBytesAnywhereGiveTheSameMeshOrError) {
    const std::string text = torusText(300);
    std::mt19937 random(20261207);
    const char kBytes[] = {' ', '\t', '\n', '\r', '\0', '\x1a', '-',
                           '0', '7',  ':',  '*',  'x',  '}',    '{'};
    for (int trial = 0; trial < 400; ++trial) {
        std::string changed = text;
        for (int change = 0; change < 3; ++change) {
            const size_t at = random() % changed.size();
            changed[at] = kBytes[random() % sizeof kBytes];
        }
        SCOPED_TRACE("trial " + std::to_string(trial));
        EXPECT_EQ(outcome(changed, twoThreads(211, nullptr), 4093), outcome(changed, {}, 4093));
        EXPECT_EQ(sceneOutcome(changed, twoThreads(211, nullptr), 4093),
                  sceneOutcome(changed, {}, 4093));
    }
}

TEST(ListScout, ARealModelReadsTheSameOnTwoThreadsAsOneMeshAndAsAScene) {
    ReadReport report;
    for (const char* name : {"RotatingCube.ASE", "UVTransform_Normal.ASE", "ThreeCubesGreen.ASE",
                             "ThreeCubesGreen_UTF16LE.ASE", "InvalidUVIndex.ase"}) {
        SCOPED_TRACE(name);
        const std::string text = readFile(dataPath(name));
        ReadOptions options = twoThreads(64, &report);
        options.sampleRecords = 2;
        options.scoutRecordsAtLeast = 4;
        EXPECT_EQ(outcome(text, options, 4093), outcome(text, {}, 4093));
        EXPECT_EQ(sceneOutcome(text, options, 4093), sceneOutcome(text, {}, 4093));
    }
    EXPECT_GT(report.scoutsTaken, 10);  // the cubes' lists too, object by object
}

// The reader of the whole input gives the scout its arrays' addresses before it gives them their
// length; until then the scout may read, but it stores nothing.
TEST(ListScout, AScoutStoresOnlyOnceItsArraysHaveTheirLength) {
    std::string list;
    for (int index = 4; index < 10; ++index) {
        list += "\t*MESH_VERTEX " + std::to_string(index) + "\t1.5\t2.5\t3.5\n";
    }
    const Vec3f untouched{-7.0f, -7.0f, -7.0f};
    auto scoutOver = [&](std::vector<Vec3f>& targets) {
        return std::make_unique<ListScout<PointList>>(std::make_unique<MemorySource>(list), 0, 64,
                                                      "*MESH_VERTEX", 3, 10, kVertexListNames,
                                                      PointList::Targets{targets.data()}, 6);
    };

    std::vector<Vec3f> withdrawn(10, untouched);
    scoutOver(withdrawn).reset();  // never told: it ends, and stores nothing
    for (const Vec3f& point : withdrawn) {
        EXPECT_EQ(point.x, untouched.x);
    }

    std::vector<Vec3f> filled(10, untouched);
    auto scout = scoutOver(filled);
    scout->targetsFilled();
    ASSERT_TRUE(scout->found());
    scout->finish();
    EXPECT_EQ(scout->first(), 4);
    EXPECT_EQ(scout->stored(), 6);
    EXPECT_EQ(filled[3].x, untouched.x);
    EXPECT_EQ(filled[9].z, 3.5f);
}

}  // namespace
}  // namespace meshwright
