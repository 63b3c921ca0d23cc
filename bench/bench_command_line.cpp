// The command line, start to exit, each run beside its floor in turns: a
// small document beside a minimal Qt program that writes the same bytes
// (with fsync), a 50 MB description read from a file beside iconv
// converting that file (then sync), with the peak memory of each, and a
// new version for a 50 MB document (--from) beside the same minimal program
// copying it.
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

struct Pairs {
    std::vector<double> ours, base, oursPeak, basePeak;
};

Pairs interleaved(const std::vector<std::string>& ours, const std::vector<std::string>& base, int runs)
{
    Pairs pairs;
    for (int i = 0; i < runs; ++i) {
        const Finished a = runToEnd(ours), b = runToEnd(base);
        pairs.ours.push_back(a.seconds * 1000);
        pairs.base.push_back(b.seconds * 1000);
        pairs.oursPeak.push_back(a.peakMiB);
        pairs.basePeak.push_back(b.peakMiB);
    }
    return pairs;
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
    const std::string document = (dir / "document.txt").string();
    runToEnd(
        {program, "--output", document, "--product", "demo", "--product-version", "1.0", "--description", "@" + big});
    const Pairs a =
        interleaved({program, "--output", (dir / "a.txt").string(), "--product", "demo", "--product-version", "1.0"},
                    {baseline, small, (dir / "b.txt").string()}, runs);
    const Pairs b = interleaved({program, "--output", (dir / "c.txt").string(), "--description", "@" + big},
                                {"/bin/sh", "-c", "iconv -f UTF-8 -t WINDOWS-1252 \"$1\" >\"$2\" && sync \"$2\"", "sh",
                                 big, (dir / "d.txt").string()},
                                runs);
    const Pairs c =
        interleaved({program, "--from", document, "--output", (dir / "e.txt").string(), "--product-version", "2.0"},
                    {baseline, document, (dir / "f.txt").string()}, runs);
    fs::remove_all(dir);
    BenchRow peak{"command line, 50 MB: peak memory (beside iconv)",
                  median(b.oursPeak),
                  median(b.basePeak),
                  "MiB",
                  "<= 32 MiB",
                  median(b.oursPeak) <= 32};
    printRows({
        pairedRow("command line, small document", a.ours, a.base, "ms", "<= 1.3 x minimal write", 1.3),
        pairedRow("command line, 50 MB from @file", b.ours, b.base, "ms", "<= 1.3 x iconv + sync", 1.3),
        peak,
        pairedRow("command line, 50 MB --from, a new version", c.ours, c.base, "ms", "<= 1.3 x read + write", 1.3),
        pairedRow("  its peak memory", c.oursPeak, c.basePeak, "MiB", "<= 1.3 x read + write", 1.3),
    });
    return 0;
}
