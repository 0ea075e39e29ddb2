// frame/log.h: lines for the simulator's log (Log.txt), the first thing users
// and support look at. Written at start, at aircraft loads and at rare events,
// never per tick or frame.
#pragma once

enum { LogLineLen = 400 };           // a whole line: prefix, text, line break and NUL

#if defined(__GNUC__)
#define QZT_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QZT_PRINTF_LIKE(fmt, args)
#endif

// One line "QZTgov: <text>\n". Text that does not fit ends in "..."; control
// characters (a description's line break, say) become '?', so nothing that
// comes from the host or a file can start a line of its own.
void LogLine(const char* format, ...) QZT_PRINTF_LIKE(1, 2);
