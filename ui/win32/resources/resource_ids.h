#pragma once

// Shared by the resource script and the code.
#define POPOLUN_ICON 1
#define POPOLUN_BANNER 101
#define POPOLUN_ILLUSTRATION 102
// The same pictures at twice the size, for screens above 96 dpi.
#define POPOLUN_BANNER_2X 201
#define POPOLUN_ILLUSTRATION_2X 202
