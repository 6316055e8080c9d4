#include "server/limits.h"

#include <QDeadlineTimer>
#include <algorithm>

namespace {

QString nameKey(const QString& name) {
    return QStringLiteral("name:") + name.toCaseFolded();
}

QString addressKey(const QString& address) {
    return QStringLiteral("address:") + address;
}

} // namespace

qint64 limits::steadyMs() {
    return QDeadlineTimer::current().deadline();
}

const char* WrongPasswords::refusal(const QString& name, const QString& address, qint64 now) {
    forgetOld(now);
    if (times_.value(nameKey(name)).size() >= limits::kWrongPasswords)
        return "a name";
    if (times_.value(addressKey(address)).size() >= limits::kWrongPasswords)
        return "an address";
    return nullptr;
}

void WrongPasswords::add(const QString& name, const QString& address, qint64 now) {
    times_[nameKey(name)].push_back(now);
    times_[addressKey(address)].push_back(now);
}

void WrongPasswords::remove(const QString& name, const QString& address, qint64 at) {
    for (const QString& key : {nameKey(name), addressKey(address)}) {
        const auto times = times_.find(key);
        if (times == times_.end())
            continue;
        if (const auto time = std::ranges::find(*times, at); time != times->end())
            times->erase(time);
    }
}

void WrongPasswords::forgetOld(qint64 now) {
    for (auto entry = times_.begin(); entry != times_.end();) {
        std::erase_if(*entry,
                      [now](qint64 time) { return time <= now - limits::kWrongPasswordSeconds; });
        entry = entry->empty() ? times_.erase(entry) : std::next(entry);
    }
}

bool OpenConnections::open(const QHostAddress& address) {
    if (address.isLoopback())
        return true;
    int& count = open_[address.toString()];
    if (count >= limits::kConnectionsPerAddress)
        return false;
    ++count;
    return true;
}

void OpenConnections::closed(const QHostAddress& address) {
    const auto count = open_.find(address.toString());
    if (count != open_.end() && --*count == 0)
        open_.erase(count);
}
