// The game's key codes for the keys of the keyboard.
#include "shell/game.h"
#include "ui/qt/keymap.h"

#include <QTest>

class KeymapTest : public QObject {
    Q_OBJECT

  private slots:
    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("charCode");
        QTest::newRow("left") << int(Qt::Key_Left) << QString() << keys::Left << 0;
        QTest::newRow("up") << int(Qt::Key_Up) << QString() << keys::Up << 0;
        QTest::newRow("right") << int(Qt::Key_Right) << QString() << keys::Right << 0;
        QTest::newRow("down") << int(Qt::Key_Down) << QString() << keys::Down << 0;
        QTest::newRow("escape") << int(Qt::Key_Escape) << QStringLiteral("\x1b") << 27 << 27;
        QTest::newRow("lower-case n")
            << int(Qt::Key_N) << QStringLiteral("n") << int('N') << int('n');
        QTest::newRow("upper-case N")
            << int(Qt::Key_N) << QStringLiteral("N") << int('N') << int('N');
        QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("7") << int('7') << int('7');
        QTest::newRow("return") << int(Qt::Key_Return) << QStringLiteral("\r") << 13 << 13;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << QStringLiteral("\r") << 13 << 13;
        QTest::newRow("space") << int(Qt::Key_Space) << QStringLiteral(" ") << 32 << 32;
        QTest::newRow("comma") << int(Qt::Key_Comma) << QStringLiteral(",") << int(',') << int(',');
    }

    void keys() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, keyCode);
        QFETCH(int, charCode);
        const auto stroke = keyStroke(key, text);
        QVERIFY(stroke.has_value());
        QCOMPARE(stroke->keyCode, keyCode);
        QCOMPARE(stroke->charCode, charCode);
    }

    void keysWithoutACodeAreLeftAlone() {
        QVERIFY(!keyStroke(Qt::Key_F1, QString()));
        QVERIFY(!keyStroke(Qt::Key_Shift, QString()));
        QVERIFY(!keyStroke(Qt::Key_Tab, QStringLiteral("\t")));
        QVERIFY(!keyStroke(0, QString()));
    }

    void aCharacterBeyondLatin1TypesNothing() {
        const auto stroke = keyStroke(Qt::Key_A, QStringLiteral("\u0444"));
        QVERIFY(stroke.has_value());
        QCOMPARE(stroke->keyCode, int('A'));
        QCOMPARE(stroke->charCode, 0);
    }
};

QTEST_MAIN(KeymapTest)
#include "keymap_test.moc"
