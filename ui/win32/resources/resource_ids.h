#pragma once

// Shared by the resource script and the code.
#define POPOLUN_ICON 1
#define POPOLUN_BANNER 101
#define POPOLUN_ILLUSTRATION 102
