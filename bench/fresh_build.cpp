// The index build in a fresh process, as the input method's worker thread first makes it: every
// page it writes is new to the process. lookup_bench builds again and again in one process,
// where each build reuses memory the one before freed, so it leaves out what the first touch of
// that memory costs. Here each measurement runs in a child of its own (this program again), the
// one pass over the file that every build starts with measured the same way in the same run.
//
//   fresh_build [--runs N]    the default and the million-line dictionary, N children each (15)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_dictionaries.h"
#include "dictionary/checksum.h"
#include "dictionary/index_build.h"

namespace {

using namespace revaze;

struct Sample {
    double micros = 0;
    long faults = 0;
};

// In the child: one build (or one pass) of the file, its time and page faults on stdout.
int measureOnce(const char* what, const char* path) {
    const std::string bytes = bench::readAll(path);
    const DictionaryText text(bytes);
    const DictionaryIdentity identity{bytes.size(), checksum64(bytes)};
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    std::size_t size = 0;
    if (std::strcmp(what, "build") == 0) {
        size = buildIndexImage(text, identity).size();
    } else {
        size = text.pieceBoundaries().size();
    }
    const double micros =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    std::printf("%.1f %ld %zu\n", micros, after.ru_minflt - before.ru_minflt, size);
    return 0;
}

// Runs this program as a child that measures once, and reads what it printed.
bool measureInChild(const char* self, const char* what, const std::string& path, Sample& sample) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execl(self, self, "--child", what, path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    char line[128] = {};
    const ssize_t got = child > 0 ? read(pipeEnds[0], line, sizeof line - 1) : -1;
    close(pipeEnds[0]);
    int status = 0;
    if (child <= 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || got <= 0) {
        return false;
    }
    return std::sscanf(line, "%lf %ld", &sample.micros, &sample.faults) == 2;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        return measureOnce(argv[2], argv[3]);
    }
    int runs = 15;
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::max(1, std::atoi(argv[2]));
    }
    // This program's own file, for the children (argv[0] may be a name found on the PATH).
    std::vector<char> self(4096);
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) {
        std::fprintf(stderr, "fresh_build: cannot find its own file\n");
        return 1;
    }
    self[static_cast<std::size_t>(length)] = '\0';

    std::printf("%-10s %12s %12s %12s %12s %10s %10s %8s\n", "fresh (us)", "build best",
                "build median", "read best", "read median", "build pf", "read pf", "b/r");
    const std::pair<const char*, const bench::BenchDictionary& (*)()> sources[] = {
        {"default", bench::defaultDictionary}, {"million", bench::millionLineDictionary}};
    for (const auto& [name, source] : sources) {
        const bench::BenchDictionary& d = source();
        if (d.production == nullptr) {
            std::fprintf(stderr, "fresh_build: the default dictionary is missing\n");
            return 1;
        }
        std::vector<double> builds;
        std::vector<double> reads;
        Sample build;
        Sample pass;
        for (int r = 0; r < runs; ++r) {
            if (!measureInChild(self.data(), "read", d.unindexedPath.string(), pass) ||
                !measureInChild(self.data(), "build", d.unindexedPath.string(), build)) {
                std::fprintf(stderr, "fresh_build: a child failed\n");
                return 1;
            }
            reads.push_back(pass.micros);
            builds.push_back(build.micros);
        }
        const double bestBuild = *std::min_element(builds.begin(), builds.end());
        const double bestRead = *std::min_element(reads.begin(), reads.end());
        std::printf("%-10s %12.0f %12.0f %12.0f %12.0f %10ld %10ld %8.2f\n", name, bestBuild,
                    median(builds), bestRead, median(reads), build.faults, pass.faults,
                    bestBuild / bestRead);
    }
    return 0;
}
