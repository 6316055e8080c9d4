// Runs the fuzz target once on every file named, and on every file of every folder named, for
// compilers without libFuzzer.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void runFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file()) {
                    runFile(entry.path());
                    ++inputs;
                }
        } else if (std::filesystem::is_regular_file(path)) {
            runFile(path);
            ++inputs;
        } else {
            std::cerr << "no such input: " << path << '\n';
            return 1;
        }
    }
    std::cout << "ran " << inputs << " inputs\n";
    return inputs > 0 ? 0 : 1;
}
