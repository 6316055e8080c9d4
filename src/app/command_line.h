#pragma once

#include "ui/game_seed.h"

#include <QString>
#include <optional>
#include <variant>

// A recorded game to play again: in the window at N times its pace, or with no display at all.
struct ReplayRequest {
    QString file;
    double speed = 1;
    bool headless = false;
};

// What a program of the game was asked to do: play, or replay a recording.
struct Request {
    std::optional<ReplayRequest> replay;
    QString dataFolder; // where the player's files are kept, when the program is told
    // The seed every new game begins from: --seed N, or --daily for the day's (UTC); none for a
    // seed of each game's own from the clock.
    std::optional<ui::GameSeed> seed;
    // --challenge N: the server's daily challenge, its seed N kept from the player. Only the first
    // new game plays it.
    bool challenge = false;
};

// What a program takes on its command line besides --help, --version, --seed and --daily.
struct CommandLine {
    QString description;
    bool replays = false;    // --replay FILE [--speed N] [--headless]
    bool dataFolder = false; // --data FOLDER, needed to play
    bool challenge = false;  // --challenge N
};

// The one reading of the command line for every program, which names the application. Answers
// --help and --version; refuses an option the program does not take, a missing or bad value and an
// incomplete combination with one line and a hint to --help. The request, or the exit code when the
// program ends here. Runs before any window or screen exists.
std::variant<Request, int> readCommandLine(int argc, char* argv[], const CommandLine& program);
