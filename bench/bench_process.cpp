// Start-up, peak memory and idle cost of the real program, each beside a
// minimal Qt Widgets program measured in the same run. Runs under an X
// server (xvfb-run): start-up is the time from starting the process to the
// mapping of its first window.
//
// Usage: bench_process PROGRAM BASELINE LANGUAGE_FILE RUNS IDLE_SECONDS
#include "bench_table.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

class RunningProgram {
public:
    RunningProgram(Display* display, const fs::path& executable, const char* argument = nullptr)
    {
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        XSync(display, True);
        const auto start = Clock::now();
        pid_ = fork();
        if (pid_ == 0) {
            execl(executable.c_str(), executable.c_str(), argument, static_cast<char*>(nullptr));
            _exit(127);
        }
        waitForMap(display);
        startupSeconds_ = std::chrono::duration<double>(Clock::now() - start).count();
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram()
    {
        if (pid_ > 0)
            stop();
    }

    double startupSeconds() const { return startupSeconds_; }

    // User plus system CPU time so far, in seconds.
    double cpuSeconds() const
    {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string all((std::istreambuf_iterator<char>(stat)), {});
        std::istringstream fields(all.substr(all.rfind(')') + 2));
        std::string skip;
        for (int i = 3; i < 14; ++i)
            fields >> skip;
        long user = 0, system = 0;
        fields >> user >> system;
        return double(user + system) / double(sysconf(_SC_CLK_TCK));
    }

    // Ends the program; its peak resident memory in MiB.
    double stop()
    {
        kill(pid_, SIGTERM);
        int status = 0;
        rusage usage{};
        wait4(pid_, &status, 0, &usage);
        pid_ = -1;
        return double(usage.ru_maxrss) / 1024.0;
    }

private:
    void waitForMap(Display* display)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        for (;;) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == MapNotify && !event.xmap.override_redirect)
                    return;
            }
            if (Clock::now() > deadline)
                throw std::runtime_error("no window was mapped");
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 100);
        }
    }

    pid_t pid_ = -1;
    double startupSeconds_ = 0;
};

void copyInto(const fs::path& file, const fs::path& folder)
{
    fs::copy_file(file, folder / file.filename(), fs::copy_options::overwrite_existing);
}

}  // namespace

// NOLINTNEXTLINE(readability-function-size): the benchmark's steps in the order they run
int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s PROGRAM BASELINE LANGUAGE_FILE RUNS IDLE_SECONDS\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    // A program folder with a language file and a licence defaults file.
    const fs::path folder = fs::temp_directory_path() / ("trumi-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    copyInto(argv[1], folder);
    copyInto(argv[2], folder);
    fs::copy_file(argv[3], folder / "TE.ini", fs::copy_options::overwrite_existing);
    std::ofstream(folder / "Config.lic") << "\"Free to use.\",\"Copy unchanged.\"\r\n";
    const fs::path program = folder / fs::path(argv[1]).filename();
    const fs::path baseline = folder / fs::path(argv[2]).filename();
    const int runs = std::atoi(argv[4]);
    const int idleSeconds = std::atoi(argv[5]);

    // Interleaved, so that a noisy moment of the machine hits all three.
    std::vector<double> startup[3], memory[3];
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 3; ++which) {
            RunningProgram running(display, which == 0 ? program : baseline, which == 2 ? "text" : nullptr);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            startup[which].push_back(running.startupSeconds() * 1000);
            memory[which].push_back(running.stop());
        }
    }

    RunningProgram idle(display, program);
    RunningProgram idleBase(display, baseline);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double cpuBefore = idle.cpuSeconds(), cpuBeforeBase = idleBase.cpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idleShare = (idle.cpuSeconds() - cpuBefore) / idleSeconds * 100;
    const double idleShareBase = (idleBase.cpuSeconds() - cpuBeforeBase) / idleSeconds * 100;

    const double startupMs = median(startup[0]), startupBaseMs = median(startup[1]);
    const double memoryMiB = median(memory[0]), memoryBaseMiB = median(memory[1]);
    const double startupTextMs = median(startup[2]), memoryTextMiB = median(memory[2]);
    printRows({
        {"start-up to the main window on screen", startupMs, startupBaseMs, "ms", "<= 1.3 x baseline",
         startupMs <= 1.3 * startupBaseMs},
        {"  (reference: a window with one label)", startupMs, startupTextMs, "ms", "-", true},
        {"peak resident memory", memoryMiB, memoryBaseMiB, "MiB", "<= 1.2 x baseline",
         memoryMiB <= 1.2 * memoryBaseMiB},
        {"  (reference: a window with one label)", memoryMiB, memoryTextMiB, "MiB", "-", true},
        {"idle CPU over " + std::to_string(idleSeconds) + " s (% of one core)", idleShare, idleShareBase, "%",
         "< 0.2 %", idleShare < 0.2},
    });
    fs::remove_all(folder);
    XCloseDisplay(display);
    return 0;
}
