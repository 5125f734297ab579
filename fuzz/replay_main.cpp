// Runs a fuzz target's LLVMFuzzerTestOneInput once over each file named on the command line,
// and over every file below each folder named there, in name order. Fails when it finds none.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// The files a path names: itself, or the regular files below it. False when it names neither.
bool collect(const fs::path& path, std::vector<fs::path>& files) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        files.push_back(path);
        return true;
    }
    if (!fs::is_directory(path, error))
        return false;
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(path, error))
        if (entry.is_regular_file())
            found.push_back(entry.path());
    if (error)
        return false;
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return true;
}

bool read_whole(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!collect(argv[i], files)) {
            std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", argv[i]);
            return 2;
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "replay: no inputs (usage: %s FILE_OR_FOLDER...)\n", argv[0]);
        return 2;
    }
    for (const fs::path& file : files) {
        std::string bytes;
        if (!read_whole(file, bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
            return 2;
        }
        std::printf("replay: %s (%zu bytes)\n", file.c_str(), bytes.size());
        std::fflush(stdout);
        // An exact-size heap copy, so an address sanitizer sees any read past the end.
        const auto input = std::make_unique<std::uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), input.get());
        LLVMFuzzerTestOneInput(input.get(), bytes.size());
    }
    std::printf("replay: %zu inputs passed\n", files.size());
    return 0;
}
