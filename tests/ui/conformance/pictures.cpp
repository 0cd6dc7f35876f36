#include "pictures.h"

#include <cstdlib>
#include <fstream>

namespace popolun::conformance {

namespace fs = std::filesystem;

namespace {

// Binary PPM (P6), as the build makes the reviewed PNGs into and as a drawn
// picture is saved for a person to look at.
Picture readPpm(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int maximum = 0;
    Picture picture;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();
    picture.rgb.resize(std::size_t(picture.width) * std::size_t(picture.height) * 3);
    in.read(reinterpret_cast<char*>(picture.rgb.data()), std::streamsize(picture.rgb.size()));
    return magic == "P6" && maximum == 255 && in ? picture : Picture{};
}

} // namespace

Picture reviewedPicture(const std::string& toolkit, const std::string& name)
{
    return readPpm(fs::path(POPOLUN_REVIEWED_DIR) / toolkit / (name + ".ppm"));
}

void writePpm(const fs::path& file, const Picture& picture)
{
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(picture.rgb.data()), std::streamsize(picture.rgb.size()));
}

Picture within(const Picture& picture, const layout::Box& box, int clientWidth)
{
    const auto at = [&](int length) { return length * picture.width / clientWidth; };
    Picture part{at(box.width), at(box.height), {}};
    for (int y = at(box.top); y < at(box.top) + part.height; ++y) {
        const auto row = picture.rgb.begin() + (std::ptrdiff_t(y) * picture.width + at(box.left)) * 3;
        part.rgb.insert(part.rgb.end(), row, row + std::ptrdiff_t(part.width) * 3);
    }
    return part;
}

// Pixels off by more than 2 % in a channel; the size must agree.
int differing(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size())
        return -1;
    int off = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
        bool differs = false;
        for (std::size_t c = 0; c < 3; ++c)
            differs |= std::abs(int(a.rgb[i + c]) - int(b.rgb[i + c])) > 5;
        off += differs;
    }
    return off;
}

} // namespace popolun::conformance
