#include "web/outbox.h"

#include <QJsonDocument>
#include <cstdio>

void Outbox::send(const QJsonObject& message) {
    const QByteArray line = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
    const std::lock_guard lock(mutex_);
    write_(line);
}

Outbox::Write Outbox::standardOutput() {
    return [](const QByteArray& line) {
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
        std::fflush(stdout);
    };
}
