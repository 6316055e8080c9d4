#include "shell/help.h"

#include "shell/game.h"

#include <QDir>
#include <QUrl>

QString helpAddress(const ui::Platform& platform) {
    const QString page = QDir(platform.programFolder()).filePath(QStringLiteral("help/index.html"));
    return QUrl::fromLocalFile(page).toString();
}

void openHelpPage(Game& game) {
    game.platform().openAddress(helpAddress(game.platform()));
}

QString creditsLine() {
    return QStringLiteral("(c) 2026 the Vexmoor team - help/index.html");
}
