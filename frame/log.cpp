// frame/log.cpp
#include "frame/log.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include "XPLMUtilities.h"

void LogLine(const char* format, ...)
{
    static const char Prefix[] = "QZTgov: ";
    static const size_t PrefixLen = sizeof Prefix - 1;
    char line[LogLineLen];
    std::memcpy(line, Prefix, PrefixLen);

    // Room is left for the line break after the text.
    const size_t room = sizeof line - PrefixLen - 1;
    va_list args;
    va_start(args, format);
    const int len = std::vsnprintf(line + PrefixLen, room, format, args);
    va_end(args);

    size_t end = PrefixLen;
    if (len > 0)
        end += static_cast<size_t>(len) < room ? static_cast<size_t>(len) : room - 1;
    if (len >= static_cast<int>(room))
        std::memcpy(line + end - 3, "...", 3);
    for (size_t i = PrefixLen; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c == 0x7f)
            line[i] = '?';
    }
    line[end] = '\n';
    line[end + 1] = '\0';
    XPLMDebugString(line);
}
