// sim/messages.cpp: the lines the carrier's panel page can show, so the demo
// can name a drawn line by its number (text and colour tell apart the lines
// that share a text).
#include "messages.h"

#include <cmath>
#include <cstring>

namespace sim {

namespace {

// The plug-in's own table, so the two never drift apart.
struct Row {
    const char* text;
    int number;
    float rgb[3];
};
const Row kMessages[] = {
#include "carrier/messages.inc"
};

}  // namespace

int panel_message(const char* text, const float rgb[3])
{
    if (!text || !*text)
        return 0;
    for (const Row& m : kMessages) {
        if (std::strcmp(m.text, text) != 0)
            continue;
        if (std::fabs(m.rgb[0] - rgb[0]) < 0.01f && std::fabs(m.rgb[1] - rgb[1]) < 0.01f
            && std::fabs(m.rgb[2] - rgb[2]) < 0.01f)
            return m.number;
    }
    return -1;
}

const char* panel_message_text(int number)
{
    for (const Row& m : kMessages)
        if (m.number == number)
            return m.text;
    return "";
}

}  // namespace sim
