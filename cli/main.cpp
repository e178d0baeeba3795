// quintrel-table: the month table of a place on the command line, as text, CSV or PDF.

#include <clocale>
#include <iostream>

#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    // Only the clock texts of the CSV preamble follow the user's locale; numbers never do.
    std::setlocale(LC_TIME, "");
    return quintrel::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
}
