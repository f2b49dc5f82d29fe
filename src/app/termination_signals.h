#pragma once

class QWidget;

namespace lexo {

// A desktop session ends programs with SIGTERM, a terminal with SIGINT or SIGHUP: each
// closes `window` as the user would, so that the usual exit work (unsaved changes asked
// about, lists, statistics, Temp) still runs. A close the user refuses ("Zrušit") keeps
// the program running with its work. Call once.
void closeOnTerminationSignals(QWidget& window);

}  // namespace lexo
