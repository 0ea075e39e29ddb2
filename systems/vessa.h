// systems/vessa.h: the Vessa Air and the Vessa Space.
#pragma once

void VessaFirstAction();             // space drive off, payload, trim, autopilot altitude
void VessaKey();                     // the QZT key: the Vessa Space's drive on or off
