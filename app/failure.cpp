// The words for each failure, in the dialogue and on the command line.
#include "app/failure.h"

namespace meshwright {

std::string escapeControlCharacters(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            constexpr char kHex[] = "0123456789abcdef";
            escaped += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return escaped;
}

void DialogueReporter::report(const Failure& f) {
    auto line = [this](const std::string& text) { console_ << text << std::endl; };
    switch (f.kind) {
        case FailureKind::kWrongKind:
            return line("Error: Wrong Type (only 1,2 or 3 allowed)");
        case FailureKind::kNoExtension:
            return line("Error: The file MUST have the ASE extension");
        case FailureKind::kCantOpenInput:
            return line("Error: couldn't open " + f.inputName);
        case FailureKind::kOutputExists:
        case FailureKind::kOutputIsInput:  // the dialogue has always said so for this case
            line("Error: file " + f.outputName + " already exists");
            return line("No Changes will be done to " + f.outputName);
        case FailureKind::kSharedOutput:
            return line("Error: file " + f.outputName + " is also the output of " + f.reason);
        case FailureKind::kCantCreateOutput:
            return line("Error: couldn't create " + f.outputName + ": " + f.reason);
        case FailureKind::kRejectedInput:
            return line("Error: " + f.inputName + ": " + f.reason);
        case FailureKind::kCantReadInput:
            return line("Error: couldn't read " + f.inputName + ": " + f.reason);
        case FailureKind::kCantWriteOutput:
            return line("Error: couldn't write " + f.outputName + ": " + f.reason);
        case FailureKind::kOutOfMemory:
            return reportOutOfMemory(f.inputName);
        case FailureKind::kUnexpected:
            return line("Error: couldn't convert " + f.inputName + ": " + f.reason);
    }
}

void DialogueReporter::reportOutOfMemory(const std::string& inputName) {
    console_ << "Error: not enough memory to convert " << inputName << std::endl;
}

void BatchReporter::reportOutOfMemory(const std::string& inputName) {
    errors_ << "meshwright: " << escapeControlCharacters(inputName) << ": not enough memory"
            << std::endl;
}

void BatchReporter::report(const Failure& f) {
    std::string reason;
    switch (f.kind) {
        case FailureKind::kWrongKind:
            reason = "unknown kind";
            break;
        case FailureKind::kNoExtension:
            reason = "the file name must end in .ase";
            break;
        case FailureKind::kCantOpenInput:
            reason = "can't open: " + f.reason;
            break;
        case FailureKind::kOutputExists:
            reason = f.outputName + " already exists (--force replaces it)";
            break;
        case FailureKind::kOutputIsInput:
            reason = f.outputName + " is the input itself";
            break;
        case FailureKind::kSharedOutput:
            reason = f.outputName + " is also the output of " + f.reason;
            break;
        case FailureKind::kCantCreateOutput:
            reason = "can't create " + f.outputName + ": " + f.reason;
            break;
        case FailureKind::kRejectedInput:
            reason = f.reason;
            break;
        case FailureKind::kCantReadInput:
            reason = "can't read: " + f.reason;
            break;
        case FailureKind::kCantWriteOutput:
            reason = "can't write " + f.outputName + ": " + f.reason;
            break;
        case FailureKind::kOutOfMemory:
            reason = "not enough memory";
            break;
        case FailureKind::kUnexpected:
            reason = "can't convert: " + f.reason;
            break;
    }
    errors_ << "meshwright: " << escapeControlCharacters(f.inputName + ": " + reason) << std::endl;
}

}  // namespace meshwright
