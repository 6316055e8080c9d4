#include "server/challenge.h"

#include "ui/game_seed.h"

#include <QDateTime>
#include <QFile>
#include <sodium.h>

namespace challenge {

QDate utcToday() {
    return QDateTime::currentDateTimeUtc().date();
}

std::uint32_t seedOf(const QByteArray& secret, const QString& day) {
    const QByteArray text = secret + day.toLatin1();
    unsigned char hash[crypto_generichash_BYTES];
    crypto_generichash(hash, sizeof hash, reinterpret_cast<const unsigned char*>(text.constData()),
                       static_cast<unsigned long long>(text.size()), nullptr, 0);
    return std::uint32_t{hash[0]} | std::uint32_t{hash[1]} << 8 | std::uint32_t{hash[2]} << 16 |
           std::uint32_t{hash[3]} << 24;
}

bool isKept(const QString& day, const QString& today) {
    return !day.isEmpty() && day >= today;
}

QString dayOfRecording(const QString& path) {
    // The seed is the fourth line, after the format, the clock and the generator.
    constexpr int kSeedLine = 4;
    constexpr qint64 kLongestLine = 200;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line;
    for (int number = 1; number <= kSeedLine && !file.atEnd(); ++number)
        line = file.readLine(kLongestLine).trimmed();
    if (!line.startsWith("seed "))
        return {};
    const auto seed = ui::GameSeed::fromText(QString::fromLatin1(line.mid(5)));
    return seed ? seed->day : QString();
}

} // namespace challenge
