#pragma once

// Why RunFramewright returned, as its last log record says ("reason=").
inline constexpr char kEndedByClose[] = "close";             // the script's close action
inline constexpr char kEndedAtEndOfScript[] = "end-of-script";
inline constexpr char kEndedByScriptError[] = "script-error"; // nothing of the script ran
inline constexpr char kEndedByWindowClose[] = "window-closed";
inline constexpr char kEndedWithoutWindow[] = "window-failed";
