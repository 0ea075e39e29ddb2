// sim/messages.cpp: the lines the carrier's panel page can show, so the demo
// can name a drawn line by its number (text and colour tell apart the lines
// that share a text).
#include "messages.h"

#include <cmath>
#include <cstring>

namespace sim {

namespace {

const PanelMessage kMessages[] = {
    {0, "", {0.0f, 0.0f, 0.0f}},
    {1, "OPERABLE", {0.2f, 0.9f, 0.2f}},
    {2, "INOPERABLE", {1.0f, 0.2f, 0.2f}},
    {3, "ORBITER SAVE", {0.2f, 0.9f, 0.2f}},
    {4, "ORBITER ARMED", {1.0f, 0.2f, 0.2f}},
    {5, "PRESS F4 TO ABANDON", {1.0f, 0.2f, 0.2f}},
    {6, "EJECTED", {0.2f, 0.9f, 0.2f}},
    {7, "LAUNCHED", {0.2f, 0.9f, 0.2f}},
    {8, "UNDER WAY ", {0.2f, 0.9f, 0.2f}},
    {9, "IN ORBIT", {0.2f, 0.9f, 0.2f}},
    {10, "LOST", {1.0f, 0.2f, 0.2f}},
    {11, "Z3 ORBITER", {0.2f, 0.9f, 0.2f}},
    {12, "BAY EMPTY", {0.2f, 0.9f, 0.2f}},
    {13, "DUMPING WATER", {0.2f, 0.9f, 0.2f}},
    {14, "WATER EMPTY", {0.9f, 0.1f, 0.1f}},
    {15, "WATER SHUT", {0.9f, 0.9f, 0.2f}},
    {16, "WATER: DISABLE", {0.9f, 0.9f, 0.2f}},
    {17, "WATER    KG/S", {0.4f, 0.4f, 1.0f}},
    {18, "DUMPING FUEL", {0.9f, 0.9f, 0.2f}},
    {19, "FUEL TRIM AFT", {0.9f, 0.9f, 0.2f}},
    {20, "FUEL TRIM FORE", {0.9f, 0.9f, 0.2f}},
    {21, "ZOOM READY", {0.2f, 0.9f, 0.2f}},
    {22, "ACCELERATING", {0.9f, 0.9f, 0.2f}},
    {23, "ENGINE IDLE", {0.9f, 0.9f, 0.2f}},
    {24, "LAUNCH PROCED", {0.9f, 0.9f, 0.2f}},
    {25, "RE-ENTRY", {0.9f, 0.9f, 0.2f}},
    {26, "LEVELLING", {0.9f, 0.9f, 0.2f}},
    {27, "STANDARD AP", {0.2f, 0.9f, 0.2f}},
    {28, "ZOOM AP ON", {0.2f, 0.9f, 0.2f}},
    {29, "ZOOM AP OFF", {1.0f, 0.2f, 0.2f}},
    {30, "ZOOM AP STBY", {0.2f, 0.9f, 0.2f}},
    {31, "BAYDOORS CLOSED", {0.2f, 1.2f, 0.2f}},
    {32, "BAYDOORS OPEN", {0.9f, 0.1f, 0.1f}},
    {33, "FUEL TRIMMED", {0.9f, 0.9f, 0.2f}},
    {34, "PROCEDURE COMPLETE", {0.2f, 0.9f, 0.2f}},
    {35, "ZOOM TO 6 G", {0.9f, 0.9f, 0.2f}},
    {36, "PARABOLIC FLIGHT", {0.9f, 0.9f, 0.2f}},
    {37, "TARGET ALTITUDE", {0.9f, 0.9f, 0.2f}},
    {38, "ALTITUDE NOT REACHED", {0.2f, 0.9f, 0.2f}},
    {39, "JATO READY", {0.2f, 0.9f, 0.2f}},
    {40, "JATO ACTIVE", {0.9f, 0.9f, 0.2f}},
    {41, "JATO DROPPED", {0.9f, 0.9f, 0.2f}},
    {42, "AUTOMATIC", {0.2f, 0.9f, 0.2f}},
    {43, "CLIMB! TO FL600 M3.5", {1.0f, 0.2f, 0.2f}},
    {44, "NO WATER INJECTION HERE", {1.0f, 0.2f, 0.2f}},
    {45, "ZOOM READY", {1.0f, 0.2f, 0.2f}},
    {46, "PRESS F4 TO ENGAGE", {1.0f, 0.2f, 0.2f}},
    {47, "LAUNCH STORED", {1.0f, 1.02f, 0.2f}},
    {48, "INDEX NO.", {0.9f, 0.9f, 0.2f}},
    {49, "ORBITER INOPERATIVE", {0.9f, 0.2f, 0.2f}},
    {50, "ORBITER FUEL DUMPED", {0.9f, 0.2f, 0.2f}},
    {51, "ABANDON ORBITER PROCEDURE", {0.9f, 0.2f, 0.2f}},
    {52, "BAYDOORS OPEN", {0.9f, 0.2f, 0.2f}},
    {53, "ORBITER OUT", {0.2f, 0.9f, 0.2f}},
    {54, "BAYDOORS CLOSED", {0.2f, 0.9f, 0.2f}},
    {55, "ORBITER ABANDONED", {0.9f, 0.2f, 0.2f}},
    {56, "TO MACH 6.3", {0.9f, 0.9f, 0.2f}},
    {57, "", {0.9f, 0.9f, 0.2f}},
    {58, "", {0.9f, 0.9f, 0.2f}},
    {59, "", {0.9f, 0.9f, 0.2f}},
};

}  // namespace

int panel_message(const char* text, const float rgb[3])
{
    if (!text || !*text)
        return 0;
    for (const PanelMessage& m : kMessages) {
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
    for (const PanelMessage& m : kMessages)
        if (m.number == number)
            return m.text;
    return "";
}

}  // namespace sim
