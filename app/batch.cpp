// Batch mode: one conversion job per input file.
#include "app/batch.h"

#include <map>
#include <new>

#include "app/command_line.h"
#include "app/converter.h"
#include "app/failure.h"
#include "app/thread_count.h"

namespace meshwright {

int runBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors) {
    const CommandLine command = parseCommandLine(arguments);
    switch (command.action) {
        case CommandAction::kHelp:
            out << kHelpText << std::flush;
            return 0;
        case CommandAction::kVersion:
            out << "meshwright " MESHWRIGHT_VERSION << std::endl;
            return 0;
        case CommandAction::kUsageError:
            errors << "meshwright: " << escapeControlCharacters(command.problem) << '\n'
                   << kUsageText << std::flush;
            return 2;
        case CommandAction::kConvert:
            break;
    }
    const BatchRequest& request = command.request;
    JobOptions options;
    options.replace = request.replace;
    options.allowCommandLineKinds = true;
    // A script that converts random bytes or an empty file to an empty fragment hides its fault.
    options.requireMesh = true;
    options.scene = request.scene;
    options.headerPrefix = request.headerPrefix;
    options.normals = request.normals;
    options.reading.threads = threadsToUse(request.threads);
    options.standardOutput = request.outputGiven && request.outputPath == "-";
    if (request.outputGiven && !options.standardOutput) {
        options.path = request.outputPath;
    }
    BatchReporter reporter(errors);
    int status = 0;
    // Two inputs whose names differ only in case, or in the path that reaches them, map to one
    // output; the later one would silently replace the earlier one's code.
    std::map<std::string, std::string> firstInputOf;
    for (const std::string& input : request.inputs) {
        try {
            Converter job(input, request.kind, reporter, options);
            job.prepare();
            if (const auto destination = job.outputDestination()) {
                const auto [first, isNew] = firstInputOf.emplace(*destination, input);
                if (!isNew) {
                    job.refuseSharedOutput(first->second);
                }
            }
            if (!job.run()) {
                status = 1;
            }
        } catch (const std::bad_alloc&) {
            reporter.reportOutOfMemory(input);
            status = 1;
        }
    }
    return status;
}

}  // namespace meshwright
