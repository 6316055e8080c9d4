// Recordings under fuzzing: every input is read, and one that reads is replayed headless, from the
// windows its header names to its last event; nothing may crash or misbehave on the way. The
// mutation keeps a recording's shape (its lines, their words and numbers), so that most inputs
// still read and reach the replay: from the committed recordings it changes a number, a word or a
// line, or copies, drops or swaps lines.
#include "replay/headless.h"
#include "replay/recording.h"

#include <QTextStream>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>

namespace {

// Game time a replay may take, so that each input ends quickly.
constexpr std::int64_t kLongestGame = 10 * 60 * 1000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = recording::parse(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const auto* made = std::get_if<recording::Recording>(&read);
    if (!made)
        return 0;
    const std::int64_t last = made->ended            ? made->endTime
                              : made->events.empty() ? made->startTime
                                                     : made->events.back().time;
    if (last - made->startTime > kLongestGame)
        return 0;
    QString text;
    QTextStream out(&text);
    replayHeadless(*made, out);
    return 0;
}

#ifdef VEXMOOR_LIBFUZZER
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// Changes one line of the recording's text, or its order of lines.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    std::minstd_rand dice(seed);
    QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\n');
    const auto any = [&] { return static_cast<qsizetype>(dice() % lines.size()); };
    QByteArray& line = lines[any()];
    switch (dice() % 5) {
    case 0: { // a number a little other, or far off
        QList<QByteArray> words = line.split(' ');
        QByteArray& word = words[static_cast<qsizetype>(dice() % words.size())];
        bool number = false;
        const long long value = word.toLongLong(&number);
        const long long changes[] = {1, -1, 10, -1000, 1 << 20};
        // Wrapped past the ends of the range rather than overflowed.
        const auto changed = static_cast<unsigned long long>(value) +
                             static_cast<unsigned long long>(changes[dice() % 5]);
        word = QByteArray::number(number ? static_cast<long long>(changed) : dice() % 100);
        line = words.join(' ');
        break;
    }
    case 1: { // the line's bytes as libFuzzer mutates them
        QByteArray bytes = line;
        bytes.resize(std::max<qsizetype>(bytes.size() * 2, 16));
        bytes.resize(static_cast<qsizetype>(LLVMFuzzerMutate(
            reinterpret_cast<std::uint8_t*>(bytes.data()), static_cast<std::size_t>(line.size()),
            static_cast<std::size_t>(bytes.size()))));
        line = bytes;
        break;
    }
    case 2:
        lines.insert(any(), QByteArray(line));
        break;
    case 3:
        if (lines.size() > 1)
            lines.removeAt(any());
        break;
    default:
        lines.swapItemsAt(any(), any());
        break;
    }
    const QByteArray mutated = lines.join('\n');
    if (static_cast<std::size_t>(mutated.size()) > maxSize)
        return size;
    std::memcpy(data, mutated.constData(), static_cast<std::size_t>(mutated.size()));
    return static_cast<std::size_t>(mutated.size());
}
#endif
