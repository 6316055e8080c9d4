#include "server/fame.h"

#include "shell/ending.h"

#include <QRegularExpression>

namespace fame {

namespace {

constexpr int kNameLimit = 60;

QJsonObject rowObject(const FameRow& row, const QString& ending) {
    return {{QStringLiteral("name"), row.name},       {QStringLiteral("level"), row.level},
            {QStringLiteral("ending"), ending},       {QStringLiteral("continues"), row.continues},
            {QStringLiteral("cheated"), row.cheated}, {QStringLiteral("date"), row.date}};
}

} // namespace

std::optional<FameRow> rowFrom(const QJsonObject& message, int player) {
    static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    FameRow row;
    row.serial = message.value(QStringLiteral("serial")).toInt();
    row.player = player;
    row.name = message.value(QStringLiteral("name")).toString().left(kNameLimit);
    row.level = message.value(QStringLiteral("level")).toInt(-1);
    row.ending = message.value(QStringLiteral("ending")).toString();
    row.continues = message.value(QStringLiteral("continues")).toInt(-1);
    row.cheated = message.value(QStringLiteral("cheated")).toBool();
    row.date = message.value(QStringLiteral("date")).toString();
    if (row.level < 0 || row.continues < 0 || !endingOfKey(row.ending) ||
        !date.match(row.date).hasMatch())
        return std::nullopt;
    return row;
}

QJsonArray forPage(const std::vector<FameRow>& rows) {
    QJsonArray out;
    for (const FameRow& row : rows) {
        const std::optional<Ending> ending = endingOfKey(row.ending);
        out.append(rowObject(row, ending ? endingText(*ending) : row.ending));
    }
    return out;
}

QJsonObject tableMessage(const std::vector<FameRow>& rows) {
    QJsonArray out;
    for (const FameRow& row : rows) {
        QJsonObject object = rowObject(row, row.ending);
        object.insert(QStringLiteral("serial"), row.serial);
        out.append(object);
    }
    return {{QStringLiteral("t"), QStringLiteral("fameTable")}, {QStringLiteral("rows"), out}};
}

} // namespace fame
