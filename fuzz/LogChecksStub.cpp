// The option checks of quintrel-table call the log's own checks, which live with the log's
// runner (SQLite, the place files). The fuzz targets of the option helpers leave the log
// out: its options pass here unchecked, as the runners themselves are left out.

#include "cli/LogCommand.h"

namespace quintrel::cli {

void CheckLogOptions(const TableOptions& /*options*/) {}

}  // namespace quintrel::cli
