// The fuzzer's named cases, each run once where there is no libFuzzer (the
// native and Windows test builds): named_cases FOLDER. A case that breaks a
// rule aborts with the rule; scripts/fuzz explores beyond them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        ++cases;
    }
    std::cout << cases << " named cases, no rule broken\n";
    return cases > 0 ? 0 : 1;
}
