// The command line, start to exit, beside a minimal Qt program that writes
// the same bytes: a small document, and a 50 MB description read from a file
// (with the peak memory of each).
//
// Usage: bench_command_line PROGRAM BASELINE_WRITE RUNS
#include "bench_table.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Finished {
    double seconds;
    double peakMiB;
};

// Runs the program to its end, with no display.
Finished runToEnd(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the program failed: " + arguments[0]);
    return {std::chrono::duration<double>(Clock::now() - start).count(), double(usage.ru_maxrss) / 1024};
}

struct Medians {
    double ours, base, oursPeak, basePeak;
};

Medians interleaved(const std::vector<std::string>& ours, const std::vector<std::string>& base, int runs)
{
    std::vector<double> oursTimes, baseTimes, oursPeaks, basePeaks;
    for (int i = 0; i < runs; ++i) {
        const Finished a = runToEnd(ours), b = runToEnd(base);
        oursTimes.push_back(a.seconds * 1000);
        baseTimes.push_back(b.seconds * 1000);
        oursPeaks.push_back(a.peakMiB);
        basePeaks.push_back(b.peakMiB);
    }
    return {median(oursTimes), median(baseTimes), median(oursPeaks), median(basePeaks)};
}

void writeText(const fs::path& path, std::size_t size)
{
    std::ofstream out(path, std::ios::binary);
    const std::string line(79, 'x');
    for (std::size_t written = 0; written < size; written += 81)
        out << line << "\r\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM BASELINE_WRITE RUNS\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1], baseline = argv[2];
    const int runs = std::atoi(argv[3]);
    const fs::path dir = fs::temp_directory_path() / ("bench-command-line-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string small = (dir / "small.txt").string(), big = (dir / "big.txt").string();
    runToEnd({program, "--output", small, "--product", "demo", "--product-version", "1.0"});
    writeText(big, 50u << 20);
    const Medians a =
        interleaved({program, "--output", (dir / "a.txt").string(), "--product", "demo", "--product-version", "1.0"},
                    {baseline, small, (dir / "b.txt").string()}, runs);
    const Medians b = interleaved({program, "--output", (dir / "c.txt").string(), "--description", "@" + big},
                                  {baseline, big, (dir / "d.txt").string()}, runs);
    fs::remove_all(dir);
    printRows({
        {"command line, small document: start to exit", a.ours, a.base, "ms", "<= 1.3 x minimal write",
         a.ours <= 1.3 * a.base},
        {"command line, 50 MB description from @file", b.ours, b.base, "ms", "<= 1.5 x read + write",
         b.ours <= 1.5 * b.base},
        {"command line, 50 MB: peak memory", b.oursPeak, b.basePeak, "MiB", "(for reading)", true},
    });
    return 0;
}
