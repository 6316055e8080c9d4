#include "server/fame.h"

#include "server/challenge.h"
#include "shell/ending.h"
#include "ui/game_seed.h"

#include <QRegularExpression>

namespace fame {

namespace {

constexpr int kNameLimit = 60;

bool isDate(const QString& text) {
    static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return date.match(text).hasMatch();
}

QJsonObject rowObject(const FameRow& row, const QString& ending, const QString& today) {
    QJsonObject object{
        {QStringLiteral("name"), row.name},       {QStringLiteral("level"), row.level},
        {QStringLiteral("ending"), ending},       {QStringLiteral("continues"), row.continues},
        {QStringLiteral("cheated"), row.cheated}, {QStringLiteral("date"), row.date},
        {QStringLiteral("day"), row.day}};
    if (row.seed && !challenge::isKept(row.day, today))
        object.insert(QStringLiteral("seed"), QString::number(*row.seed));
    return object;
}

QJsonArray tableRows(const std::vector<FameRow>& rows, const QString& today) {
    QJsonArray out;
    for (const FameRow& row : rows) {
        QJsonObject object = rowObject(row, row.ending, today);
        object.insert(QStringLiteral("serial"), row.serial);
        out.append(object);
    }
    return out;
}

} // namespace

std::optional<FameRow> rowFrom(const QJsonObject& message, int player) {
    FameRow row;
    row.serial = message.value(QStringLiteral("serial")).toInt();
    row.player = player;
    row.name = message.value(QStringLiteral("name")).toString().left(kNameLimit);
    row.level = message.value(QStringLiteral("level")).toInt(-1);
    row.ending = message.value(QStringLiteral("ending")).toString();
    row.continues = message.value(QStringLiteral("continues")).toInt(-1);
    row.cheated = message.value(QStringLiteral("cheated")).toBool();
    row.date = message.value(QStringLiteral("date")).toString();
    row.seed = ui::seedFromText(message.value(QStringLiteral("seed")).toString());
    if (const QString day = message.value(QStringLiteral("day")).toString();
        row.seed && isDate(day))
        row.day = day;
    if (row.level < 0 || row.continues < 0 || !endingOfKey(row.ending) || !isDate(row.date))
        return std::nullopt;
    return row;
}

QJsonArray forPage(const std::vector<FameRow>& rows, const QString& today) {
    QJsonArray out;
    for (const FameRow& row : rows) {
        const std::optional<Ending> ending = endingOfKey(row.ending);
        out.append(rowObject(row, ending ? endingText(*ending) : row.ending, today));
    }
    return out;
}

QJsonObject tableMessage(const std::vector<FameRow>& best, const std::vector<FameRow>& ofToday,
                         const QString& today) {
    return {{QStringLiteral("t"), QStringLiteral("fameTable")},
            {QStringLiteral("rows"), tableRows(best, today)},
            {QStringLiteral("today"), tableRows(ofToday, today)}};
}

} // namespace fame
