#pragma once

#include "driver.h"

#include <filesystem>
#include <string>

namespace popolun::conformance {

// A reviewed picture of a toolkit's (reviewed/TOOLKIT/NAME.png, read as the
// PPM the build makes of it); empty if there is none.
Picture reviewedPicture(const std::string& toolkit, const std::string& name);

// Binary PPM (P6), for a person to look at.
void writePpm(const std::filesystem::path& file, const Picture& picture);

// The part of a picture in box (at 96 dpi), at the picture's own scale to clientWidth.
Picture within(const Picture& picture, const layout::Box& box, int clientWidth);

// How many pixels differ by more than 2 % in a channel; -1 for pictures of different sizes.
int differing(const Picture& a, const Picture& b);

} // namespace popolun::conformance
