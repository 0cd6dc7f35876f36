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
    for (;;) {
        path_ = base / ("popolun-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        if (fs::create_directory(path_))
            break;
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::utf8() const
{
    const auto text = path_.u8string();
    return {text.begin(), text.end()};
}

fs::path fromUtf8(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::map<std::string, std::string> treeContents(const fs::path& root)
{
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto relative = entry.path().lexically_relative(root).u8string();
        std::string key(relative.begin(), relative.end());
        tree[key] = entry.is_directory() ? std::string("<dir>") : readBytes(entry.path());
    }
    return tree;
}

} // namespace popolun::testing
