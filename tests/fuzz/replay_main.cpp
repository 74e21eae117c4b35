// Runs a fuzz target without the fuzzer, over every file of the folders (or
// the single files) on the command line: the committed seeds and every
// reproducer ever found, in the ordinary test suite of any compiler. A folder
// without inputs fails, so a corpus that went missing cannot pass silently.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& place) {
    std::vector<std::filesystem::path> inputs;
    if (!std::filesystem::is_directory(place))
        return {place};
    for (const auto& entry : std::filesystem::directory_iterator(place)) {
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::filesystem::path> inputs = InputsOf(argv[i]);
        if (inputs.empty()) {
            std::fprintf(stderr, "%s: no inputs\n", argv[i]);
            failed = 1;
        }
        for (const auto& input : inputs) {
            std::ifstream in(input, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
                failed = 1;
                continue;
            }
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                                  std::istreambuf_iterator<char>()};
            // A broken check aborts, naming the input last announced here.
            std::fprintf(stderr, "%s\n", input.c_str());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
        std::printf("%s: %zu inputs replayed\n", argv[i], inputs.size());
    }
    return failed;
}
