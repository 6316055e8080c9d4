#include "app/announcement.h"

#include <algorithm>

namespace {

// A countdown's news: the time rose, or fell to one of these.
constexpr double kTimeToTell[] = {30, 10, 0};

} // namespace

void Announcement::add(const QString& text) {
    const QString said = text.simplified();
    if (!said.isEmpty() && !parts_.contains(said))
        parts_ << said;
}

void Announcement::add(const QStringList& texts) {
    for (const QString& text : texts)
        add(text);
}

void Announcement::valueChanged(const QString& field, std::optional<double> before, double after,
                                bool countdown) {
    if (worthTelling(before, after, countdown))
        add(field);
}

bool Announcement::worthTelling(std::optional<double> before, double after, bool countdown) {
    if (before == after)
        return false;
    return !countdown || !before || after > *before ||
           std::ranges::any_of(kTimeToTell,
                               [&](double time) { return *before > time && after <= time; });
}

QString Announcement::text() const {
    QStringList sentences;
    for (const QString& part : parts_)
        sentences << (QStringLiteral(".!?").contains(part.back()) ? part : part + QLatin1Char('.'));
    return sentences.join(QLatin1Char(' '));
}
