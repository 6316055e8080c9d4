#pragma once

#include "fake_game.h"
#include "server/accounts.h"

#include <optional>

// A password is hashed at a low priority: on a machine busy with other tests it may take long.
constexpr int kSignInMs = 60000;

// A sign-up or sign-in, its answer waited for as the page waits for it.
inline Accounts::Outcome waitedFor(const std::function<void(Accounts::Done)>& call) {
    auto outcome = std::make_shared<std::optional<Accounts::Outcome>>();
    call([outcome](Accounts::Outcome answer) { *outcome = std::move(answer); });
    waitFor([outcome] { return outcome->has_value(); }, kSignInMs);
    return outcome->value_or(Accounts::Outcome{0, "no answer", {}, {}});
}

inline Accounts::Outcome signUp(Accounts& accounts, const QString& name,
                                const QByteArray& password) {
    return waitedFor([&](Accounts::Done done) { accounts.signUp(name, password, done); });
}

inline Accounts::Outcome signIn(Accounts& accounts, const QString& name, const QByteArray& password,
                                const QString& address = {}) {
    return waitedFor([&](Accounts::Done done) { accounts.signIn(name, password, address, done); });
}
