#pragma once

#include "framewright_log_format.h"

// Appends the record as one line to the file named by FRAMEWRIGHT_LOG; does
// nothing when the variable is not set. A log that cannot be written must not
// disturb the host, so failures are dropped.
void AppendToCallLog(const FramewrightLogRecord& record);

inline const char* SetOrNull(bool isSet) { return isSet ? "set" : "null"; }
inline const char* YesNo(bool yes) { return yes ? "yes" : "no"; }
