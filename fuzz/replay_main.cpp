// Runs a fuzz target's entry point over files instead of under libFuzzer: each argument is a file
// or a folder of files (a corpus). Built into every preset, so that the kept corpora are
// regression tests, and so that the slowest session call is measured in an ordinary build.
//
//     <target>_replay [--repeat N] PATH...
//
// With --repeat each input runs N times and every timed call counts with its least time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/slowest_call.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

void collect(const std::filesystem::path& path, std::vector<std::filesystem::path>& files) {
    if (std::filesystem::is_directory(path)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    } else {
        files.push_back(path);
    }
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 1;
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc) {
            repeat = std::atoi(argv[++i]);
        } else {
            collect(arg, files);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: %s [--repeat N] FILE_OR_FOLDER...\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    revaze::fuzz::SlowestCall& slowest = revaze::fuzz::slowestCall();
    slowest.leastOfPasses = repeat > 1;
    for (int r = 0; r < repeat; ++r) {
        slowest.nextCall = 0;
        if (r + 1 == repeat) {
            // The last pass reports, each call with the least of its times.
            slowest.time = std::chrono::nanoseconds{0};
            slowest.calls = 0;
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
        }
    }
    std::printf("%zu inputs replayed %d time(s)\n", files.size(), repeat);
    return 0;
}
