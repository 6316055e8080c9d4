#include "shell/ending.h"

#include <algorithm>

namespace {

struct EndingName {
    Ending ending;
    const char* key;
    const char* text;
};
constexpr EndingName kEndings[] = {
    {Ending::Ravine, "ravine", "fell into the ravine"},
    {Ending::Hole, "hole", "fell into a hole"},
    {Ending::OutOfTime, "time", "out of time"},
    {Ending::TooManyRequests, "prayers", "too many requests"},
    {Ending::Finished, "finished", "finished"},
};

const EndingName& nameOf(Ending ending) {
    return *std::ranges::find(kEndings, ending, &EndingName::ending);
}

} // namespace

QString endingText(Ending ending) {
    return QLatin1String(nameOf(ending).text);
}

QString endingKey(Ending ending) {
    return QLatin1String(nameOf(ending).key);
}

std::optional<Ending> endingOfKey(const QString& key) {
    const auto named = std::ranges::find_if(
        kEndings, [&key](const EndingName& name) { return key == QLatin1String(name.key); });
    return named == std::end(kEndings) ? std::nullopt : std::optional<Ending>(named->ending);
}
