#include "test_support.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace popolun::testing {

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto base = fs::temp_directory_path();
    do {
        path_ = base / ("popolun-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    } while (!fs::create_directory(path_));
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::utf8() const { return toUtf8(path_); }

std::string toUtf8(const fs::path& path)
{
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

fs::path fromUtf8(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

std::map<std::string, std::string> treeContents(const fs::path& root)
{
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string& contents = tree[toUtf8(entry.path().lexically_relative(root))];
        if (entry.is_symlink())
            contents = "<link>" + fs::read_symlink(entry.path()).string();
        else
            contents = entry.is_directory() ? std::string("<dir>") : readBytes(entry.path());
    }
    return tree;
}

std::string expectedAsx(const std::string& name, const std::string& extension)
{
    return "<ASX Version =\"3.0\"><Entry>\r\n"
           "<Ref href =\"./" + name + extension + "\"></Entry></ASX>\r\n";
}

std::string expectedLink(const std::string& name)
{
    // "ここをクリックしてください。" in code page 932.
    const std::string clickHere =
        "\x82\xb1\x82\xb1\x82\xf0\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
    return "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>\r\n"
           "<P align=\"center\"><B><A href=\"./" + name + ".asx\" target=\"_self\">" + clickHere + "</A></B></P>\r\n"
           "'</BODY></HTML>\r\n";
}

std::string expectedEmbed(const std::string& name, const std::string& width, const std::string& height,
                          const std::string& autostart)
{
    return "<html><head><title>enbedsampl</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
           "</head><body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n"
           "<OBJECT ID=\"Player\" width=\"" + width + "\" height=\"" + height + "\"CLASSID=\"CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6\">\r\n"
           "<PARAM name=\"autoStart\" value=\"" + autostart + "\">\r\n"
           "<PARAM name=\"URL\" value=\"./" + name + ".asx\">\r\n"
           "<embed src=\"./" + name + ".asx\" autostart=\"false\" width=" + width + " height=" + height + "></embed></OBJECT>\r\n"
           "</body></html>\r\n"
           "\r\n";
}

} // namespace popolun::testing
