// The mesh that ASE text makes: sections, records, number words, the axis turn, rejected input.
#include "ase/section_readers.h"

#include "ase/number_words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace meshwright {
namespace {

MeshData readText(const std::string& text, size_t blockSize = 1 << 20) {
    MemorySource source(text);
    TokenReader reader(source, blockSize);
    return readMesh(reader);
}

// The message readMesh rejects `text` with, or "" when it accepts it.
std::string rejection(const std::string& text) {
    try {
        readText(text);
    } catch (const MeshError& error) {
        return error.what();
    }
    return "";
}

// Exact comparison, so that a -0 is not taken for a 0.
void expectVec(const Vec3f& actual, float x, float y, float z) {
    EXPECT_EQ(std::bit_cast<uint32_t>(actual.x), std::bit_cast<uint32_t>(x)) << actual.x;
    EXPECT_EQ(std::bit_cast<uint32_t>(actual.y), std::bit_cast<uint32_t>(y)) << actual.y;
    EXPECT_EQ(std::bit_cast<uint32_t>(actual.z), std::bit_cast<uint32_t>(z)) << actual.z;
}

void expectFace(const FaceRecord& face, int32_t a, int32_t b, int32_t c, int32_t smoothing) {
    EXPECT_EQ(face.a, a);
    EXPECT_EQ(face.b, b);
    EXPECT_EQ(face.c, c);
    EXPECT_EQ(face.smoothing, smoothing);
}

const char* const kOneFaceMesh = R"(*3DSMAX_ASCIIEXPORT 200
*GEOMOBJECT {
	*NODE_NAME "Tri"
	*MESH {
		*TIMEVALUE 0
		*MESH_NUMVERTEX 3
		*MESH_NUMFACES 1
		*MESH_VERTEX_LIST {
			*MESH_VERTEX    0	0.0000	0.0000	0.0000
			*MESH_VERTEX    1	1.0000	0.0000	0.0000
			*MESH_VERTEX    2	0.0000	1.0000	0.0000
		}
		*MESH_FACE_LIST {
			*MESH_FACE    0:    A:    0 B:    1 C:    2 AB:    1 BC:    1 CA:    1	 *MESH_SMOOTHING 1 	*MESH_MTLID 0
		}
		*MESH_NUMTVERTEX 3
		*MESH_TVERTLIST {
			*MESH_TVERT 0	0.0000	0.0000	0.0000
			*MESH_TVERT 1	1.0000	0.0000	0.0000
			*MESH_TVERT 2	0.0000	1.0000	0.0000
		}
		*MESH_NUMTVFACES 1
		*MESH_TFACELIST {
			*MESH_TFACE 0	0	1	2
		}
		*MESH_NORMALS {
			*MESH_FACENORMAL 0	0.0000	0.0000	1.0000
				*MESH_VERTEXNORMAL 0	0.0000	0.0000	1.0000
				*MESH_VERTEXNORMAL 1	0.0000	0.0000	1.0000
				*MESH_VERTEXNORMAL 2	0.0000	0.0000	1.0000
		}
	}
}
)";

TEST(SectionReaders, OneFaceMeshIsReadAndTurnedToYUp) {
    for (size_t blockSize : {size_t{3}, size_t{1} << 20}) {
        MeshData mesh = readText(kOneFaceMesh, blockSize);
        EXPECT_EQ(mesh.vertexCount, 3);
        EXPECT_EQ(mesh.faceCount, 1);
        EXPECT_EQ(mesh.tVertexCount, 3);
        EXPECT_EQ(mesh.tvFaceCount, 1);
        ASSERT_TRUE(mesh.vertices && mesh.faces && mesh.tVertices && mesh.tFaces &&
                    mesh.faceNormals && mesh.cornerNormals);
        ASSERT_EQ(mesh.vertices->size(), 3u);
        expectVec((*mesh.vertices)[0], 0, 0, -0.0f);
        expectVec((*mesh.vertices)[1], 1, 0, -0.0f);
        expectVec((*mesh.vertices)[2], 0, 0, -1);
        ASSERT_EQ(mesh.faces->size(), 1u);
        expectFace((*mesh.faces)[0], 0, 1, 2, 1);
        ASSERT_EQ(mesh.tVertices->size(), 3u);
        expectVec((*mesh.tVertices)[1], 1, 0, 0);  // texture vertices keep their axes
        expectVec((*mesh.tVertices)[2], 0, 1, 0);
        ASSERT_EQ(mesh.tFaces->size(), 1u);
        EXPECT_EQ((*mesh.tFaces)[0].c, 2);
        ASSERT_EQ(mesh.faceNormals->size(), 1u);
        expectVec((*mesh.faceNormals)[0], 0, 1, -0.0f);
        ASSERT_EQ(mesh.cornerNormals->size(), 3u);
        for (const Vec3f& normal : *mesh.cornerNormals) {
            expectVec(normal, 0, 1, -0.0f);
        }
    }
}

TEST(SectionReaders, TextWithoutKeywordsGivesTheEmptyMesh) {
    MeshData mesh =
        readText("*GEOMOBJECT { *mesh_numvertex 5 *MESH_NUMVERTEXX 5 *MESH_NUMVERTE 5 }");
    EXPECT_EQ(mesh.vertexCount, 0);
    EXPECT_FALSE(mesh.vertices || mesh.faces || mesh.faceNormals || mesh.cornerNormals ||
                 mesh.tVertices || mesh.tFaces);
}

TEST(SectionReaders, CountWithoutListLeavesTheArrayAbsentAndCountZeroMakesItEmpty) {
    MeshData mesh = readText("*MESH_NUMVERTEX 1000 *MESH_NUMTVERTEX 0 *MESH_TVERTLIST { }");
    EXPECT_EQ(mesh.vertexCount, 1000);
    EXPECT_FALSE(mesh.vertices);
    ASSERT_TRUE(mesh.tVertices);
    EXPECT_TRUE(mesh.tVertices->empty());
}

TEST(SectionReaders, ListEndingWithTheInputNeedsNoClosingBrace) {
    MeshData mesh = readText("*MESH_NUMVERTEX 1 *MESH_VERTEX_LIST { *MESH_VERTEX 0 1 2 3");
    expectVec(mesh.vertices->at(0), 1, 3, -2);
}

TEST(SectionReaders, ByteFfInANameDoesNotEndTheInput) {
    MeshData mesh = readText("*NODE_NAME \"Caf\xff\" \xff *MESH_NUMVERTEX 2");
    EXPECT_EQ(mesh.vertexCount, 2);
}

struct SmoothingCase {
    const char* afterC;
    int32_t smoothing;
};

TEST(SectionReaders, SmoothingGroupOfAFace) {
    const SmoothingCase cases[] = {
        {"AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1 *MESH_MTLID 0", 1},
        {"AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1,2 *MESH_MTLID 0", 1},
        {"AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING *MESH_MTLID 0", -1},
        {"*MESH_SMOOTHING 7 *MESH_MTLID 0", 7},
        {"x y z w AB: 1 *mesh_smoothing 9 *MESH_SMOOTHING 12 *MESH_MTLID 0", 12},
        {"*MESH_SMOOTHING 3 *ANYTHING 0", 3},
    };
    for (const SmoothingCase& c : cases) {
        SCOPED_TRACE(c.afterC);
        MeshData mesh =
            readText(std::string("*MESH_NUMVERTEX 3 *MESH_NUMFACES 2 *MESH_FACE_LIST {"
                                 " *MESH_FACE 0: A: 0 B: 1 C: 2 ") +
                     c.afterC + " *MESH_FACE 1: A: 2 B: 1 C: 0 *MESH_SMOOTHING 5 *MESH_MTLID 1 }");
        expectFace(mesh.faces->at(0), 0, 1, 2, c.smoothing);
        expectFace(mesh.faces->at(1), 2, 1, 0, 5);
    }
}

TEST(SectionReaders, FacesAreKeptInListOrderWhateverTheirNumbers) {
    MeshData mesh = readText(
        "*MESH_NUMVERTEX 3 *MESH_NUMFACES 2 *MESH_FACE_LIST {"
        " *MESH_FACE 1: A: 0 B: 1 C: 2 *MESH_SMOOTHING 1 *MESH_MTLID 0"
        " *MESH_FACE 0: A: 2 B: 0 C: 1 *MESH_SMOOTHING 2 *MESH_MTLID 0 }");
    expectFace(mesh.faces->at(0), 0, 1, 2, 1);
    expectFace(mesh.faces->at(1), 2, 0, 1, 2);
}

TEST(SectionReaders, IndexedRecordsAreStoredAtTheirIndex) {
    MeshData mesh = readText(
        "*MESH_NUMVERTEX 3 *MESH_NUMFACES 2 *MESH_NUMTVERTEX 2 *MESH_NUMTVFACES 2"
        " *MESH_VERTEX_LIST { *MESH_VERTEX 2 3 3 3 *MESH_VERTEX 0 1 1 1 *MESH_VERTEX 0 5 5 5 }"
        " *MESH_TVERTLIST { *MESH_TVERT 1 0.5 0.25 0 *MESH_TVERT 0 0.75 1 0 }"
        " *MESH_TFACELIST { *MESH_TFACE 1 1 1 0 *MESH_TFACE 0 0 0 1 }"
        " *MESH_NORMALS {"
        " *MESH_FACENORMAL 1 1 0 0 *MESH_VERTEXNORMAL 9 1 0 0"
        " *MESH_VERTEXNORMAL 9 2 0 0 *MESH_VERTEXNORMAL 9 3 0 0"
        " *MESH_FACENORMAL 0 0 0 1 *MESH_VERTEXNORMAL 0 4 0 0"
        " *MESH_VERTEXNORMAL 0 5 0 0 *MESH_VERTEXNORMAL 0 6 0 0 }");
    expectVec(mesh.vertices->at(0), 5, 5, -5);     // the later record for index 0 wins
    expectVec(mesh.vertices->at(1), 0, 0, -0.0f);  // no record: zero, turned like the rest
    expectVec(mesh.vertices->at(2), 3, 3, -3);
    expectVec(mesh.tVertices->at(0), 0.75f, 1, 0);
    expectVec(mesh.tVertices->at(1), 0.5f, 0.25f, 0);
    EXPECT_EQ(mesh.tFaces->at(0).c, 1);
    EXPECT_EQ(mesh.tFaces->at(1).c, 0);
    expectVec(mesh.faceNormals->at(0), 0, 1, -0.0f);
    expectVec(mesh.faceNormals->at(1), 1, 0, -0.0f);
    // Corner normals follow the records, whatever vertex numbers they name.
    for (size_t corner = 0; corner < 6; ++corner) {
        expectVec(mesh.cornerNormals->at(corner), static_cast<float>(corner + 1), 0, -0.0f);
    }
}

// Records in any order, repeats included, end as if each were stored at its index in turn.
TEST(SectionReaders, RecordsInAnyOrderEndAsStoredInTurn) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 50; ++trial) {
        const int count = 1 + static_cast<int>(random() % 40);
        std::vector<float> expected(static_cast<size_t>(count), 0.0f);
        std::string text = "*MESH_NUMVERTEX " + std::to_string(count) + " *MESH_VERTEX_LIST {";
        for (int record = 0; record < count; ++record) {
            // Mostly in order, as exporters write them, with jumps ahead and back.
            const int index = random() % 3 == 0 ? static_cast<int>(random() % count) : record;
            expected[static_cast<size_t>(index)] = static_cast<float>(record + 1);
            text += " *MESH_VERTEX " + std::to_string(index) + " " + std::to_string(record + 1) +
                    " 0 0";
        }
        MeshData mesh = readText(text + " }");
        ASSERT_EQ(mesh.vertices->size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(mesh.vertices->at(i).x, expected[i]) << text;
        }
    }
}

// A pipe can't tell its size ahead; its text counts only as it arrives.
class PipeSource : public MemorySource {
  public:
    using MemorySource::MemorySource;
    uint64_t size() const override { return 0; }
};

std::string vertexList(int count) {
    std::string text = "*MESH_NUMVERTEX " + std::to_string(count) + " *MESH_VERTEX_LIST {\n";
    for (int i = 0; i < count; ++i) {
        text += "*MESH_VERTEX " + std::to_string(i) + " " + std::to_string(i) + " 0.5 0.25\n";
    }
    return text + "}\n";
}

TEST(SectionReaders, ListsLongerThanWhatHasArrivedReadFromAPipe) {
    // Longer than the room a list takes ahead of a pipe, so the array grows on the way.
    const std::string text = vertexList(70000);
    PipeSource source(text);
    TokenReader reader(source, 4096);
    MeshData mesh = readMesh(reader);
    ASSERT_EQ(mesh.vertices->size(), 70000u);
    expectVec(mesh.vertices->at(69999), 69999, 0.25f, -0.5f);
}

TEST(SectionReaders, CountsAPipeCannotHoldAreRejectedAtItsEnd) {
    for (const std::string& text :
         {std::string("*MESH_NUMVERTEX 5000 "), "*MESH_NUMFACES 3000 " + vertexList(10)}) {
        PipeSource source(text);
        TokenReader reader(source);
        EXPECT_THROW(readMesh(reader), MeshError) << text;
    }
    EXPECT_NE(rejection("*MESH_NUMVERTEX 5000 "), "");
}

TEST(SectionReaders, LaterSectionsReplaceEarlierOnes) {
    MeshData mesh = readText(
        "*MESH_NUMVERTEX 2 *MESH_VERTEX_LIST { *MESH_VERTEX 0 1 1 1 *MESH_VERTEX 1 1 1 1 }"
        " *MESH_NUMTVERTEX 1 *MESH_TVERTLIST { *MESH_TVERT 0 0.5 0.5 0 }"
        " *MESH_NUMVERTEX 1 *MESH_VERTEX_LIST { *MESH_VERTEX 0 7 8 9 }");
    ASSERT_EQ(mesh.vertices->size(), 1u);
    expectVec(mesh.vertices->at(0), 7, 9, -8);
    expectVec(mesh.tVertices->at(0), 0.5f, 0.5f, 0);  // the second object had none
}

TEST(SectionReaders, MeshWithoutNormalsTurnsOnlyTheVertices) {
    MeshData mesh = readText("*MESH_NUMVERTEX 1 *MESH_VERTEX_LIST { *MESH_VERTEX 0 1 2 3 }");
    EXPECT_FALSE(mesh.faceNormals || mesh.cornerNormals);
    expectVec(mesh.vertices->at(0), 1, 3, -2);
}

struct IntCase {
    const char* word;
    int32_t value;
};

TEST(SectionReaders, IntegerWords) {
    const IntCase cases[] = {
        {"8", 8},
        {"8abc", 8},
        {"1,2", 1},
        {"", 0},
        {"abc", 0},
        {"-5", -5},
        {"+7", 7},
        {"\v\f\r12", 12},
        {"--1", 0},
        {"0x1F", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(parseInt(c.word), c.value) << '"' << c.word << '"';
    }
}

struct RealCase {
    const char* word;
    float value;
};

TEST(SectionReaders, RealWords) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const RealCase cases[] = {
        {"0.1", 0.1f},
        {"-29.3447", -29.3447f},
        {"1.5d2", 150},
        {"1.5D-1", 0.15f},
        {"2E+1", 20},
        {"1e", 1},
        {"1e+", 1},
        {"1.5.5", 1.5f},
        {".5", 0.5f},
        {"5.", 5},
        {"+.25x", 0.25f},
        {"\v-3", -3},
        {".", 0},
        {"-", 0},
        {"abc", 0},
        {"nan", 0},
        {"inf", 0},
        {"-infinity", 0},
        {"0x1p3", 0},
        {"1e39", kInfinity},
        {"-1e39", -kInfinity},
        {"1e99999999999999999999", kInfinity},
        {"3.402823466e38", FLT_MAX},
        // The double nearest to this lies halfway to 2^128, where rounding goes to infinity.
        {"3.4028235677973366e38", kInfinity},
        {"3.40282356779733e38", FLT_MAX},
        {"1e-45", 1.4e-45f},
        // Rounded to a double first, this lands on a tie between two floats, and the even one
        // wins; rounded straight to a float it would go up.
        {"1.0000000596046447763", 1.0f},
        {"100e307", kInfinity},
        {"0.01e-322", 0},
    };
    for (const RealCase& c : cases) {
        EXPECT_EQ(parseReal(c.word), c.value) << '"' << c.word << '"';
    }
}

// Decimal words of every length and scale, against the C library's correctly rounded strtod:
// the value must be the double nearest to the text, then the float nearest to that double.
TEST(SectionReaders, RealWordsMatchACorrectlyRoundedConversion) {
    std::mt19937_64 random(7);
    for (int trial = 0; trial < 200000; ++trial) {
        std::string digits = std::to_string(random() >> (random() % 64));
        int point = static_cast<int>(random() % (digits.size() + 1));
        std::string word = random() % 2 ? "-" : "";
        word.append(digits, 0, point).append(".").append(digits, point);
        std::string exponent;
        if (random() % 3 == 0) {
            exponent = std::to_string(static_cast<int>(random() % 90) - 45);
        }
        double nearest = std::strtod((word + "e" + exponent).c_str(), nullptr);
        if (std::fabs(nearest) > FLT_MAX) {
            continue;
        }
        // ASE files may also write the exponent letter as E, d or D.
        std::string ours = exponent.empty() ? word : word + "eEdD"[random() % 4] + exponent;
        ASSERT_EQ(parseReal(ours), static_cast<float>(nearest)) << ours;
    }
}

// Words of 16 to 19 significant digits at or next to the point halfway between two floats: the
// float follows the double nearest to the word, so a double off by one unit in its last place
// (digits too many for an exact double, scaled in one step) lands on the other float.
TEST(SectionReaders, LongRealWordsAtHalfwayPointsFollowTheNearestDouble) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> magnitudes(0.001f, 1000.0f);
    char word[64];
    int checked = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const float below = magnitudes(random);
        // Exact in a double: two neighbouring floats' mean needs one more bit than a float.
        const double halfway = (double(below) + double(std::nextafter(below, FLT_MAX))) / 2;
        const int digits = 16 + trial % 4;
        // The plain form takes the short path for plain decimals, the exponent form the other.
        const int integerDigits = halfway >= 1 ? int(std::floor(std::log10(halfway))) + 1 : 0;
        const int fractionDigits = std::max(0, digits - std::max(integerDigits, 1));
        const char* forms[] = {"%.*f", "%.*e"};
        const int precisions[] = {fractionDigits, digits - 1};
        for (int form = 0; form < 2; ++form) {
            std::snprintf(word, sizeof word, forms[form], precisions[form], halfway);
            const float expected = static_cast<float>(std::strtod(word, nullptr));
            ASSERT_EQ(parseReal(word), expected) << word;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 8000);
}

TEST(SectionReaders, RealWordsKeepTheSignOfZero) {
    const char* const negativeZeros[] = {"-0", "-0.0e5", "-1e-400", "-1e-99999999999"};
    for (const char* word : negativeZeros) {
        float value = parseReal(word);
        EXPECT_TRUE(value == 0 && std::signbit(value)) << word << " gave " << value;
    }
    EXPECT_FALSE(std::signbit(parseReal("1e-400")));
}

struct RejectionCase {
    const char* name;
    std::string text;
    std::string message;
};

// A valid two-face mesh for the rejections to break, in pieces.
const std::string kVertices =
    "*MESH_NUMVERTEX 3 *MESH_VERTEX_LIST { *MESH_VERTEX 0 0 0 0 *MESH_VERTEX 1 1 0 0"
    " *MESH_VERTEX 2 0 1 0 } ";
const std::string kTVertices =
    "*MESH_NUMTVERTEX 3 *MESH_TVERTLIST { *MESH_TVERT 0 0 0 0 *MESH_TVERT 1 1 0 0"
    " *MESH_TVERT 2 0 1 0 } ";

std::string faceList(const std::string& records) {
    return "*MESH_FACE_LIST { " + records + " } ";
}
std::string face(int number, const std::string& corners) {
    std::string n = std::to_string(number);
    return "*MESH_FACE " + n + ": " + corners +
           " AB: 1 BC: 1 CA: 0 *MESH_SMOOTHING 1 *MESH_MTLID 0 ";
}
const std::string kFaces =
    "*MESH_NUMFACES 2 " + faceList(face(0, "A: 0 B: 1 C: 2") + face(1, "A: 2 B: 1 C: 0"));

const RejectionCase kRejections[] = {
    {"VertexRecordBeyondTheList",
     "*MESH_NUMVERTEX 2 *MESH_VERTEX_LIST { *MESH_VERTEX 0 0 0 0 *MESH_VERTEX 2 0 0 0 }",
     "record 2 of the vertex list is for vertex 2, but the mesh has 2 vertices"},
    {"NegativeVertexRecord", "*MESH_NUMVERTEX 1 *MESH_VERTEX_LIST { *MESH_VERTEX -1 0 0 0 }",
     "record 1 of the vertex list is for vertex -1, but the mesh has 1 vertex"},
    {"TextureVertexRecordBeyondTheList",
     "*MESH_NUMTVERTEX 1 *MESH_TVERTLIST { *MESH_TVERT 5 0 0 0 }",
     "record 1 of the texture vertex list is for texture vertex 5, but the mesh has 1 texture "
     "vertex"},
    {"TextureFaceRecordBeyondTheList",
     "*MESH_NUMTVFACES 2 *MESH_TFACELIST { *MESH_TFACE 0 0 0 0 *MESH_TFACE 99999999999 0 0 0 }",
     "record 2 of the texture face list is for texture face 2147483647, but the mesh has 2 texture "
     "faces"},
    {"FaceNormalRecordBeyondTheFaces",
     "*MESH_NUMFACES 1 *MESH_NORMALS { *MESH_FACENORMAL 1 0 0 1 }",
     "record 1 of the normals list is for face 1, but the mesh has 1 face"},
    {"FaceCornerBeyondTheVertices",
     kVertices + "*MESH_NUMFACES 2 " +
         faceList(face(0, "A: 0 B: 1 C: 2") + face(1, "A: 2 B: 3 C: 0")),
     "face 1 uses vertex 3, but the mesh has 3 vertices"},
    {"FaceCornerBeyondAVertexCountWithoutList",
     "*MESH_NUMVERTEX 3 *MESH_NUMFACES 1 " + faceList(face(0, "A: 0 B: 1 C: 4")),
     "face 0 uses vertex 4, but the mesh has 3 vertices"},
    {"NegativeFaceCorner", kVertices + "*MESH_NUMFACES 1 " + faceList(face(0, "A: -1 B: 1 C: 2")),
     "face 0 uses vertex -1, but the mesh has 3 vertices"},
    {"FaceWithoutAnyVertexCount", "*MESH_NUMFACES 1 " + faceList(face(0, "A: 0 B: 0 C: 0")),
     "face 0 uses vertex 0, but the mesh has 0 vertices"},
    {"TextureFaceCornerBeyondTheTextureVertices",
     kVertices + kFaces + kTVertices +
         "*MESH_NUMTVFACES 2 *MESH_TFACELIST { *MESH_TFACE 0 0 1 2 *MESH_TFACE 1 2 1 3 }",
     "texture face 1 uses texture vertex 3, but the mesh has 3 texture vertices"},
    {"FewerTextureFacesThanFaces",
     kVertices + kFaces + kTVertices + "*MESH_NUMTVFACES 1 *MESH_TFACELIST { *MESH_TFACE 0 0 1 2 }",
     "the mesh has 2 faces, but only 1 texture face"},
    {"NegativeCount", "*MESH_NUMFACES -2", "*MESH_NUMFACES is -2; a count can't be negative"},
    // -1 is the count closest to valid: it must not slip through as "no faces" and leave a list
    // that follows it to be sized from it.
    {"CountOfMinusOne", "*MESH_NUMFACES -1", "*MESH_NUMFACES is -1; a count can't be negative"},
    {"CountOfMinusOneBeforeItsList", "*MESH_NUMVERTEX -1 *MESH_VERTEX_LIST { }",
     "*MESH_NUMVERTEX is -1; a count can't be negative"},
    {"TextureCountOfMinusOneBeforeItsList", "*MESH_NUMTVFACES -1 *MESH_TFACELIST { }",
     "*MESH_NUMTVFACES is -1; a count can't be negative"},
    {"CountBeyondWhatTheFileCanHold", "*MESH_NUMVERTEX 99999999",
     "*MESH_NUMVERTEX 99999999 promises more vertices than the file can hold"},
    {"SaturatedCountBeyondWhatTheFileCanHold", "*MESH_NUMTVFACES 99999999999 *MESH_TFACELIST {",
     "*MESH_NUMTVFACES 2147483647 promises more texture faces than the file can hold"},
    {"CountJustAboveTheAlwaysAllowed", "*MESH_NUMTVERTEX 1001",
     "*MESH_NUMTVERTEX 1001 promises more texture vertices than the file can hold"},
    {"InputEndsInACount", "*MESH_NUMFACES 1 *MESH_NUMFACES",
     "the input ends right after *MESH_NUMFACES, before its value"},
    {"InputEndsBeforeAListOpens", "*MESH_NUMVERTEX 0 *MESH_VERTEX_LIST",
     "the input ends right after *MESH_VERTEX_LIST, before the list opens"},
    {"InputEndsInAVertexRecord",
     "*MESH_NUMVERTEX 8 *MESH_VERTEX_LIST { *MESH_VERTEX 0 0 0 0 *MESH_VERTEX 1 0 0 0 *MESH_VERTEX "
     "2 0",
     "the input ends inside the vertex list (record 3 of 8)"},
    {"InputEndsBeforeTheSmoothingKeyword",
     "*MESH_NUMVERTEX 3 *MESH_NUMFACES 1 *MESH_FACE_LIST { *MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1",
     "the input ends inside the face list (record 1 of 1)"},
    {"InputEndsBeforeTheMaterialNumber",
     "*MESH_NUMVERTEX 3 *MESH_NUMFACES 1 *MESH_FACE_LIST { *MESH_FACE 0: A: 0 B: 1 C: 2 "
     "*MESH_SMOOTHING 1 *MESH_MTLID",
     "the input ends inside the face list (record 1 of 1)"},
    {"InputEndsInANormalsRecord",
     "*MESH_NUMFACES 1 *MESH_NORMALS { *MESH_FACENORMAL 0 0 0 1 *MESH_VERTEXNORMAL 0 0 0 1",
     "the input ends inside the normals list (record 1 of 1)"},
    {"InputEndsInATextureVertexRecord", "*MESH_NUMTVERTEX 2 *MESH_TVERTLIST { *MESH_TVERT 0 0 0 0",
     "the input ends inside the texture vertex list (record 2 of 2)"},
    {"InputEndsInATextureFaceRecord", "*MESH_NUMTVFACES 1 *MESH_TFACELIST { *MESH_TFACE 0 0 0",
     "the input ends inside the texture face list (record 1 of 1)"},
    {"VertexCountChangedAfterItsList", kVertices + "*MESH_NUMVERTEX 4",
     "the vertex list has 3 vertices, but *MESH_NUMVERTEX says 4"},
    {"FaceCountChangedAfterItsList", kVertices + kFaces + "*MESH_NUMFACES 1",
     "the face list has 2 faces, but *MESH_NUMFACES says 1"},
    {"FaceCountChangedAfterTheNormals",
     "*MESH_NUMFACES 1 *MESH_NORMALS { *MESH_FACENORMAL 0 0 0 1 *MESH_VERTEXNORMAL 0 0 0 1"
     " *MESH_VERTEXNORMAL 1 0 0 1 *MESH_VERTEXNORMAL 2 0 0 1 } *MESH_NUMFACES 0",
     "the normals list has 1 face normal, but *MESH_NUMFACES says 0"},
    {"TextureVertexCountChangedAfterItsList", kTVertices + "*MESH_NUMTVERTEX 2",
     "the texture vertex list has 3 texture vertices, but *MESH_NUMTVERTEX says 2"},
    {"TextureFaceCountChangedAfterItsList",
     "*MESH_NUMTVFACES 1 *MESH_TFACELIST { *MESH_TFACE 0 0 0 0 } *MESH_NUMTVFACES 2",
     "the texture face list has 1 texture face, but *MESH_NUMTVFACES says 2"},
};

void PrintTo(const RejectionCase& c, std::ostream* out) {
    *out << c.name;
}

class RejectedMesh : public ::testing::TestWithParam<RejectionCase> {};

TEST_P(RejectedMesh, WithItsMessage) {
    EXPECT_EQ(rejection(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(SectionReaders, RejectedMesh, ::testing::ValuesIn(kRejections),
                         [](const auto& info) { return std::string(info.param.name); });

// The search for the smoothing keyword stops at the next record or the list's end: reading on
// into the next record would convert a misread face.
TEST(SectionReaders, FaceWithoutSmoothingKeywordIsRejectedWhereverItStands) {
    const std::string good = " AB: 1 BC: 1 CA: 0 *MESH_SMOOTHING 1 *MESH_MTLID 0 ";
    const std::string bad = " AB: 1 BC: 1 CA: 0 *MESH_MTLID 0 ";
    for (int missing = 0; missing < 3; ++missing) {
        std::string records;
        for (int f = 0; f < 3; ++f) {
            records += "*MESH_FACE " + std::to_string(f) + ": A: 0 B: 1 C: 2" +
                       (f == missing ? bad : good);
        }
        const std::string expected = "face " + std::to_string(missing) + " has no *MESH_SMOOTHING";
        EXPECT_EQ(rejection(kVertices + "*MESH_NUMFACES 3 " + faceList(records)), expected);
        // A later object's face list must not lend its keyword either.
        EXPECT_EQ(rejection(kVertices + "*MESH_NUMFACES 3 " + faceList(records) + "*GEOMOBJECT { " +
                            kFaces + "}"),
                  expected);
    }
}

TEST(SectionReaders, TheValidMeshTheRejectionsBreakIsAccepted) {
    EXPECT_EQ(
        rejection(kVertices + kFaces + kTVertices +
                  "*MESH_NUMTVFACES 2 *MESH_TFACELIST { *MESH_TFACE 0 0 1 2 *MESH_TFACE 1 2 1 0 }"),
        "");
}

TEST(SectionReaders, TextureIndicesAreCheckedOnlyWithBothTextureArrays) {
    // Without texture vertices no writer reads the texture faces, so they can't go wrong.
    EXPECT_EQ(rejection(kVertices + kFaces +
                        "*MESH_NUMTVFACES 1 *MESH_TFACELIST { *MESH_TFACE 0 7 8 9 }"),
              "");
    // Texture faces beyond the faces are never drawn.
    EXPECT_EQ(
        rejection(kVertices + "*MESH_NUMFACES 1 " + faceList(face(0, "A: 0 B: 1 C: 2")) +
                  kTVertices +
                  "*MESH_NUMTVFACES 2 *MESH_TFACELIST { *MESH_TFACE 0 0 1 2 *MESH_TFACE 1 7 8 9 }"),
        "");
}

TEST(SectionReaders, CountsUpToTheFileSizeAreAllowed) {
    std::string text = "*MESH_NUMVERTEX 1001 ";
    text.resize(10010, ' ');
    EXPECT_EQ(readText(text).vertexCount, 1001);
    text.pop_back();
    EXPECT_NE(rejection(text), "");
}

// Cuts, flips and garbage in a valid mesh must end in a mesh or a MeshError, never a crash.
TEST(SectionReaders, DamagedInputIsReadOrRejectedNeverMisread) {
    const std::string valid = kOneFaceMesh;
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 3000; ++trial) {
        std::string text = valid.substr(0, random() % (valid.size() + 1));
        for (int flips = random() % 4; flips > 0 && !text.empty(); --flips) {
            text[random() % text.size()] = static_cast<char>(random() % 256);
        }
        try {
            MeshData mesh = readText(text, 1 + random() % 64);
            if (mesh.faces) {
                for (const FaceRecord& f : *mesh.faces) {
                    ASSERT_TRUE(f.a >= 0 && f.a < mesh.vertexCount && f.b >= 0 &&
                                f.b < mesh.vertexCount && f.c >= 0 && f.c < mesh.vertexCount);
                }
            }
        } catch (const MeshError&) {
        }
    }
}

}  // namespace
}  // namespace meshwright
