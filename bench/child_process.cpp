#include "child_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& environment) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const std::string name = environment.substr(0, environment.find('=') + 1);
    std::vector<char*> envp;
    for (char** variable = environ; *variable; ++variable)
        if (std::string(*variable).rfind(name, 0) != 0)
            envp.push_back(*variable);
    envp.push_back(const_cast<char*>(environment.c_str()));
    envp.push_back(nullptr);

    const int failed =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = pipeEnds[0];
    if (failed)
        throw std::runtime_error("cannot start " + program);
}

ChildProcess::~ChildProcess() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    close(output_);
}

std::string ChildProcess::readLine() {
    const long long deadline = monotonicNs() + 10'000'000'000LL;
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        const long long left = deadline - monotonicNs();
        pollfd watched{output_, POLLIN, 0};
        if (left <= 0 || poll(&watched, 1, static_cast<int>(left / 1'000'000)) <= 0)
            return {};
        char buffer[256];
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

std::string programFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

double median(std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    const size_t n = figures.size();
    return n == 0 ? 0 : n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}

int measureOnEachPlatform(const char* figure, void (*measure)(const std::string& platform)) {
    measure("offscreen");
    if (std::getenv("DISPLAY"))
        measure("xcb");
    else
        std::printf("%s (xcb): skipped, no DISPLAY\n", figure);
    return 0;
}

Usage usageOf(pid_t pid) {
    Usage usage;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                usage.wakeUps += std::stod(line.substr(line.find(':') + 1));
        std::ifstream schedule(task.path() / "schedstat");
        double ns = 0;
        schedule >> ns;
        usage.cpuNs += ns;
    }
    return usage;
}
