// The console dialogue and its two answer readers.
#include "app/dialogue.h"

#include <climits>
#include <new>
#include <optional>
#include <string_view>

#include "app/converter.h"
#include "app/thread_count.h"
#include "ase/blank_characters.h"

namespace meshwright {
namespace {

constexpr size_t kMaxKindLength = 15;
// The longest path the system opens, its terminating NUL left out.
constexpr size_t kLongestPath = PATH_MAX - 1;
// Enough of a cut name's end for the extension check.
constexpr size_t kTailKept = 4;

// Characters are looked at and taken through the stream buffer itself: a second look at the end
// of input must not mark the stream failed, as istream::peek would.
int look(std::istream& in) {
    return in.rdbuf()->sgetc();
}

int take(std::istream& in) {
    return in.rdbuf()->sbumpc();
}

bool atEnd(std::istream& in) {
    if (look(in) != std::char_traits<char>::eof()) {
        return false;
    }
    in.setstate(std::ios::eofbit);
    return true;
}

// Skips white space; false when the input ends first (then `in` is marked ended and failed).
bool skipWhiteSpace(std::istream& in) {
    for (;;) {
        if (atEnd(in)) {
            in.setstate(std::ios::failbit);
            return false;
        }
        if (!isBlank(look(in))) {
            return true;
        }
        take(in);
    }
}

int digitValue(int c, int base) {
    int value = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
    return value < base ? value : -1;
}

// Takes the next character into `taken` when it satisfies `accept` and the length allows.
template <typename Accept>
bool takeIf(std::istream& in, std::string& taken, Accept accept) {
    if (taken.size() >= kMaxKindLength || atEnd(in) || !accept(look(in))) {
        return false;
    }
    taken.push_back(static_cast<char>(take(in)));
    return true;
}

int32_t saturate(bool negative, unsigned long long magnitude) {
    long long value =
        negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return static_cast<int32_t>(value < INT32_MIN   ? INT32_MIN
                                : value > INT32_MAX ? INT32_MAX
                                                    : value);
}

}  // namespace

// The banner is fixed text that users and scripts read byte for byte: its "v1.2" stays as it is
// when the project's version (--version) moves on.
void printBanner(std::ostream& out) {
    out << "Meshwright v1.2 takes a ASE file and creates a CPP file" << std::endl;
    out << "with the code in OpenGL of the 3D object that was in " << std::endl;
    out << "the ASE file. (Make sur you only have ONE object per ASE file)" << std::endl
        << std::endl;
    out << "Programmer : Meshwright contributors" << std::endl;
    out << "Email : none, report problems in the project's issue tracker" << std::endl << std::endl;
}

std::string readFileName(std::istream& in) {
    std::string name;
    if (!in.good() || !skipWhiteSpace(in)) {
        return name;
    }
    // The name is a C string to the system: a NUL ends it. A name no path can be is not kept
    // whole, however long it runs: its head and its last characters stand for it, too long to
    // open, so it is refused as a file that can't be opened (or for its extension), as it was.
    bool ended = false;
    std::string tail;  // the name's last kTailKept characters, once it runs past kLongestPath
    while (!atEnd(in) && !isBlank(look(in))) {
        const char c = static_cast<char>(take(in));
        ended = ended || c == '\0';
        if (ended) {
            continue;
        }
        if (name.size() < kLongestPath) {
            name.push_back(c);
            continue;
        }
        if (tail.empty()) {
            tail = name.substr(name.size() - kTailKept);
        }
        tail.push_back(c);
        if (tail.size() > kTailKept) {
            tail.erase(0, 1);
        }
    }
    if (!tail.empty()) {
        name += "...";
        name += tail;
    }
    return name;
}

int32_t readKind(std::istream& in) {
    if (!in.good() || !skipWhiteSpace(in)) {
        return 0;
    }
    std::string taken;
    const bool negative = look(in) == '-';
    takeIf(in, taken, [](int c) { return c == '+' || c == '-'; });
    int base = 10;
    bool anyDigit = false;
    if (takeIf(in, taken, [](int c) { return c == '0'; })) {
        base = 8;
        anyDigit = true;
        if (takeIf(in, taken, [](int c) { return c == 'x' || c == 'X'; })) {
            base = 16;
            anyDigit = false;  // "0x" is a prefix; a digit must follow it
        }
    }
    unsigned long long magnitude = 0;  // at most 15 hexadecimal digits: no overflow
    int digit = 0;
    while (takeIf(in, taken, [&](int c) { return (digit = digitValue(c, base)) >= 0; })) {
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        anyDigit = true;
    }
    if (!anyDigit) {
        for (auto c = taken.rbegin(); c != taken.rend(); ++c) {
            in.rdbuf()->sputbackc(*c);
        }
        in.setstate(std::ios::failbit);
        return 0;
    }
    atEnd(in);
    return saturate(negative, magnitude);
}

void runDialogue(std::istream& in, std::ostream& out, const std::function<void()>& waitForKey) {
    printBanner(out);
    out << "Enter the name of the file\n";
    out.flush();
    const std::string name = readFileName(in);
    out << "\nEnter \n1)To create a Dispay List \n2)To create a Vertex Array\n";
    out << "3)To create Indexed Vertex Array\n";
    out.flush();
    const int32_t kind = readKind(in);
    DialogueReporter console(out);
    std::optional<Converter> job;
    try {
        JobOptions options;
        options.reading.threads = threadsToUse(0);
        job.emplace(name, kind, console, options);
        job->run();
    } catch (const std::bad_alloc&) {
        // Short of memory anywhere in the job, even while it reports: what it created goes with
        // it, and the user still reads why nothing was converted.
        job.reset();
        console.reportOutOfMemory(name);
    }
    out << "Press any key to exit" << std::endl;
    waitForKey();
}

}  // namespace meshwright
