#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// What one of the game's programs takes on its command line besides --help and --version, and
// what it says to the options it was given once they are understood (the exit code when the
// program ends there).
struct CommandLine {
    QString description;
    QList<QCommandLineOption> options;
    std::function<std::optional<int>(const QCommandLineParser&)> check;
};

// Answers --help and --version, refuses what the program does not know (with a hint to --help),
// then runs the program's check: the exit code when the program ends here. Runs before any window
// or screen exists.
std::optional<int> answerCommandLine(int argc, char* argv[], const CommandLine& program);
