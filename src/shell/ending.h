#pragma once

#include <QString>
#include <optional>

// How a game last ended.
enum class Ending { Ravine, Hole, OutOfTime, TooManyRequests, Finished };

// What a table of games shows of an ending: "fell into the ravine", "finished", ...
QString endingText(Ending ending);
// Its short name, as files and messages keep it: "ravine", "finished", ...
QString endingKey(Ending ending);
// The ending of a short name.
std::optional<Ending> endingOfKey(const QString& key);
