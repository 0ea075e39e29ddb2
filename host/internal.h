// host/internal.h: what the stand-in host's parts share with each other.
// Not for tests: they use xphost.h.
#pragma once

#include <cstdint>
#include <string>

#include "xphost.h"

namespace xphost::detail {

// Simulated clock in whole microseconds, so periodic loops never drift.
int64_t now_us();
int64_t period_us();
int64_t to_us(double seconds);

// Each part clears its own state; reset() calls them in this order.
void reset_datarefs();
void reset_processing();
void reset_display();
void reset_menus();
void reset_utilities();
void reset_widgets();
void reset_plugin();
void reset_commands();

// One drawing pass: phases, then windows. Records into the display list.
void draw_pass();
// The camera controller's turn in a frame.
void camera_frame();
// The continue phase of every held command.
void commands_frame();
// A key event the sniffers and windows left to the simulator's key bindings.
void key_to_commands(int flags, char virtualKey);

// Catalogue of the simulator's variables the plug-in binds, with defaults.
struct CatalogueEntry {
    const char* path;
    int  types;
    int  size;
    bool writable;
};
const CatalogueEntry* catalogue_entries(int* count);

// Opaque ids for windows, menus and widgets: never reused within a process, so
// an id kept from an earlier test can never name a new object.
void* next_id();

// What differs between the platforms the host runs on (posix/ and win/): the
// plug-in file as a loaded library, and a new private folder to serve as the
// simulator's folder ("" when none can be made; no trailing separator).
void* open_library(const std::string& path, std::string* error);
void* library_symbol(void* library, const char* name);
void  close_library(void* library);
std::string make_temp_folder();

}  // namespace xphost::detail
