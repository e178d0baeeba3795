// Edits a log without end, reporting each change on standard output only once it is
// committed: the kill test stops it with SIGKILL at a random moment and then checks that
// every reported change is in the log.
// Usage: log_edit_worker LOG

#include <unistd.h>

#include <string>

#include "log/LogDatabase.h"

using namespace quintrel::logbook;

namespace {

void Report(const std::string& line) {
    const std::string text = line + "\n";
    // Unbuffered: what is reported must be out before the next change starts.
    if (write(STDOUT_FILENO, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        _exit(3);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    LogOpenOptions options;
    options.dailyBackup = false;
    LogDatabase log = LogDatabase::Open(argv[1], options);
    std::int64_t previous = 0;
    for (long i = 0;; ++i) {
        Outing outing;
        outing.date = "2025-06-" + std::to_string(10 + i % 20);
        outing.start = "06:00";
        outing.record = "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111";
        outing.notes = std::to_string(i);
        const std::int64_t id = log.AddOuting(outing);
        Report("O " + std::to_string(id) + " " + std::to_string(i));
        Catch entry;
        entry.outingId = id;
        entry.species = "Pike " + std::to_string(i);
        entry.time = "07:00";
        entry.id = log.AddCatch(entry);
        Report("C " + std::to_string(entry.id) + " " + std::to_string(id));
        entry.weightKg = static_cast<double>(i);
        log.UpdateCatch(entry);
        Report("U " + std::to_string(entry.id) + " " + std::to_string(i));
        if (i % 4 == 3) {
            // Said before and after: killed in between, either outcome is right.
            Report("d " + std::to_string(previous));
            log.DeleteOutings(std::vector<std::int64_t>{previous});
            Report("D " + std::to_string(previous));
        }
        previous = id;
    }
}
