#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A program of the benchmarks run as a child process with one variable of its environment set,
// its standard output read line by line and its
// standard error dropped.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& environment);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Ends the child if it still runs.
    ~ChildProcess();

    pid_t pid() const { return pid_; }
    // The next line it prints, or nothing once it ended or after ten seconds.
    std::string readLine();

  private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
};

// What a process took so far, summed over its threads.
struct Usage {
    double wakeUps = 0; // times a thread went to sleep and was woken again
    double cpuNs = 0;
};
Usage usageOf(pid_t pid);

// The folder of the running program, where the other programs of the benchmarks lie.
std::string programFolder();
// The monotonic clock in nanoseconds.
long long monotonicNs();
// The median of a few figures.
double median(std::vector<double> figures);
// Measures under the offscreen platform, and under X11 when a display is set; says so when not.
int measureOnEachPlatform(const char* figure, void (*measure)(const std::string& platform));
