#include "shell/help.h"

#include "shell/game.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

QString helpPage(const QString& programFolder) {
    const QDir program(programFolder);
    const QString beside = program.filePath(QStringLiteral("help/index.html"));
    for (const QString& page :
         {beside, program.filePath(QStringLiteral("../share/vexmoor/help/index.html"))})
        if (QFileInfo(page).isFile())
            return QDir::cleanPath(page);
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("vexmoor/help/index.html"));
    return installed.isEmpty() ? beside : installed;
}

QString helpAddress(const ui::Platform& platform) {
    return QUrl::fromLocalFile(helpPage(platform.programFolder())).toString();
}

void openHelpPage(Game& game) {
    ui::Platform& platform = game.platform();
    if (!platform.openAddress(helpAddress(platform)))
        platform.messageBox(
            QStringLiteral("The help page could not be opened in a browser. Open it yourself:\n") +
            helpPage(platform.programFolder()));
}

QString creditsLine() {
    return QStringLiteral("(c) 2026 the Vexmoor team - help/index.html");
}
