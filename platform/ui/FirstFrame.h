#pragma once

namespace platform::ui {

// With SONVIA_REPORT_FIRST_FRAME set, the first time any top-level window has a painted image on
// screen the process writes "first frame" on a line of standard error. Start-up benchmarks time
// the whole start, as the user sees it, up to that line.
void noteFramePresented();

}  // namespace platform::ui
