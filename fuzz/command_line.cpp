// The command-line parser of quintrel-table on any arguments (one per input line): the
// option table, the decimal numbers and the checks of options against each other. The
// runners that read places and write files are left out; in their place the options are
// checked as every runner's first step checks them.

#include <sstream>

#include "FuzzSupport.h"
#include "cli/CommandLine.h"
#include "cli/TableCommand.h"

namespace quintrel::cli {

void RunTableCommand(const TableOptions& options, std::ostream& /*standardOutput*/,
                     std::ostream& /*messages*/) {
    CheckOptions(options);
    if (options.day) {
        ParseDayArgument(*options.day);
    }
}

}  // namespace quintrel::cli

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    const auto lines = fuzz::SplitLines(fuzz::AsText(data, size));
    std::vector<std::string> arguments = {"quintrel-table"};
    for (const std::string_view line : lines) {
        arguments.emplace_back(line);
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
    fuzz::Require(code >= cli::kExitDone && code <= cli::kExitUsageError, "unknown exit code");
    // Whatever was typed, the messages stay printable: no raw escape reaches a terminal.
    fuzz::Require(err.str().find('\x1b') == std::string::npos, "raw escape in a message",
                  err.str());
    return 0;
}
