// sim/render.h: pictures of what the plug-in drew in the last frame.
#pragma once

#include <string>

namespace sim {

// Draws the host's last display list (panel page and windows) and the
// plug-in's widgets into a PNG of the screen's size, with a caption strip on top. False with a reason when
// the file cannot be written or pictures were not built in.
bool write_picture(const std::string& path, const std::string& caption, std::string* error);
bool pictures_available();

}  // namespace sim
