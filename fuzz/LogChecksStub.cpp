// The option checks and the help of quintrel-table use the log's own checks and help
// text, which live with the log's runner (SQLite, the place files). The fuzz targets of
// the option helpers leave the log out: its options pass here unchecked, as the runners
// themselves are left out.

#include "cli/LogCommand.h"

namespace quintrel::cli {

void CheckLogOptions(const TableOptions& /*options*/) {}

const char* const kLogHelp = "";

}  // namespace quintrel::cli
