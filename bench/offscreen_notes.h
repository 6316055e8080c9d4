#pragma once

#include <QString>
#include <QtGlobal>

// The offscreen platform's notes on window sizes are no figures: they are left out of the output.
inline void hideOffscreenSizeNotes() {
    static const QtMessageHandler shown = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& where, const QString& text) {
            if (!text.contains(QLatin1String("propagateSizeHints")))
                shown(type, where, text);
        });
}
