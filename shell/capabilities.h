// Fills the process-wide capability flags from the system version and the
// optional functions found.
#pragma once

void DetectCapabilities();
