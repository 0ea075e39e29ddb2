// sim/messages.h: numbers of the carrier panel's message lines.
#pragma once

namespace sim {

// The number of the message drawn with this text and colour, 0 for an empty
// text, -1 for a text that is not a message line (labels, figures).
int panel_message(const char* text, const float rgb[3]);
const char* panel_message_text(int number);

}  // namespace sim
