// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Colour values: the colour table, "$" hexadecimal, bad texts, the palette mapping.
#include "TestHome.h"
#include "settings/ColorConvert.h"
#include "settings/ColorPalette.h"
#include "settings/IniFile.h"

#include <QApplication>
#include <QPalette>
#include <QSet>
#include <QTest>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class TestColorConvert : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void table_data();
    void table();
    void tableIsComplete();
    void toString_data();
    void toString();
    void fromString_data();
    void fromString();
    void dollarRedWritesBackClRed();
    void readColorFallsBack_data();
    void readColorFallsBack();
    void plainColorsOnScreen();
    void systemColorsFollowThePalette();
    void tabColorDefaults();
};

void TestColorConvert::table_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("value");
    for (int i = 0; i < ColorConvert::colorCount(); ++i) {
        const QString name = ColorConvert::colorName(i);
        QTest::newRow(name.toLatin1().constData()) << name << ColorConvert::colorValue(i);
    }
}

void TestColorConvert::table()
{
    QFETCH(QString, name);
    QFETCH(quint32, value);
    QCOMPARE(ColorConvert::ColorToString(value), name);
    quint32 c = 0x12345678;
    QVERIFY(ColorConvert::StringToColor(name, &c));
    QCOMPARE(c, value);
    c = 0x12345678;
    QVERIFY(ColorConvert::StringToColor(name.toUpper(), &c));
    QCOMPARE(c, value);
    c = 0x12345678;
    QVERIFY(ColorConvert::StringToColor(name.toLower(), &c));
    QCOMPARE(c, value);
}

void TestColorConvert::tableIsComplete()
{
    QCOMPARE(ColorConvert::colorCount(), 41);
    QSet<quint32> values;
    QSet<QString> names;
    for (int i = 0; i < ColorConvert::colorCount(); ++i) {
        values.insert(ColorConvert::colorValue(i));
        names.insert(ColorConvert::colorName(i).toLower());
    }
    QCOMPARE(values.size(), 41);
    QCOMPARE(names.size(), 41);
    // Every system colour 0x80000000..0x80000018 has a name.
    for (quint32 v = 0x80000000u; v <= 0x80000018u; ++v)
        QVERIFY2(values.contains(v), qPrintable(QString::number(v, 16)));
    QCOMPARE(ColorConvert::ColorToString(0x00C0C0C0), S("clSilver"));
    QCOMPARE(ColorConvert::ColorToString(0x80000008), S("clWindowText"));
    QCOMPARE(ColorConvert::ColorToString(0x8000000F), S("clBtnFace"));
    QCOMPARE(ColorConvert::ColorToString(0x80000015), S("cl3DDkShadow"));
}

void TestColorConvert::toString_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("no name") << quint32(0x00FF8000) << S("$00FF8000");
    QTest::newRow("small") << quint32(0x00000001) << S("$00000001");
    QTest::newRow("upper case hex") << quint32(0x00ABCDEF) << S("$00ABCDEF");
    QTest::newRow("unnamed system colour") << quint32(0x80000019) << S("$80000019");
    QTest::newRow("all bits") << quint32(0xFFFFFFFF) << S("$FFFFFFFF");
}

void TestColorConvert::toString()
{
    QFETCH(quint32, value);
    QFETCH(QString, text);
    QCOMPARE(ColorConvert::ColorToString(value), text);
    quint32 back = 0;
    QVERIFY(ColorConvert::StringToColor(text, &back));
    QCOMPARE(back, value);
}

void TestColorConvert::fromString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("value");
    QTest::newRow("$000000FF") << S("$000000FF") << true << quint32(0x000000FF);
    QTest::newRow("$ff") << S("$ff") << true << quint32(0xFF);
    QTest::newRow("decimal") << S("255") << true << quint32(255);
    QTest::newRow("negative decimal") << S("-1") << true << quint32(0xFFFFFFFF);
    QTest::newRow("decimal of a system colour") << S("-2147483633") << true << quint32(0x8000000F);
    QTest::newRow("$8000000F") << S("$8000000F") << true << quint32(0x8000000F);
    QTest::newRow("mixed case name") << S("CLBTNFACE") << true << quint32(0x8000000F);
    QTest::newRow("empty") << S("") << false << quint32(0);
    QTest::newRow("unknown name") << S("clNone") << false << quint32(0);
    QTest::newRow("html") << S("#FF0000") << false << quint32(0);
    QTest::newRow("word") << S("red") << false << quint32(0);
    QTest::newRow("name with blank") << S("clRed ") << false << quint32(0);
    QTest::newRow("too long hex") << S("$100000000") << false << quint32(0);
    QTest::newRow("Japanese") << S("赤") << false << quint32(0);
}

void TestColorConvert::fromString()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, value);
    quint32 c = 0xDEADBEEF;
    QCOMPARE(ColorConvert::StringToColor(text, &c), ok);
    QCOMPARE(c, ok ? value : quint32(0xDEADBEEF)); // untouched on failure
}

void TestColorConvert::dollarRedWritesBackClRed()
{
    TestHome home;
    home.write(S("config.ini"), "[Option_Tab]\r\nActivateChColor=$000000FF\r\n");
    IniFile ini = IniFile::config();
    const quint32 c =
        ColorConvert::ReadColor(ini, S("Option_Tab"), S("ActivateChColor"), S("clWindowText"));
    QCOMPARE(c, quint32(0x000000FF));
    QCOMPARE(ColorPalette::toQColor(c), QColor(255, 0, 0));
    ini.WriteString(S("Option_Tab"), S("ActivateChColor"), ColorConvert::ColorToString(c));
    QCOMPARE(home.read(S("config.ini")), QByteArray("[Option_Tab]\r\nActivateChColor=clRed\r\n"));
}

void TestColorConvert::readColorFallsBack_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("missing key") << QByteArray() << S("clBtnFace") << quint32(0x8000000F);
    QTest::newRow("name") << QByteArray("k=clLime") << S("clBtnFace") << quint32(0x0000FF00);
    QTest::newRow("garbage") << QByteArray("k=purple-ish") << S("clBtnFace") << quint32(0x8000000F);
    QTest::newRow("empty") << QByteArray("k=") << S("clWindowText") << quint32(0x80000008);
    QTest::newRow("invalid bytes")
        << QByteArray("k=\x80\xff") << S("clWindowText") << quint32(0x80000008);
    QTest::newRow("bad default too") << QByteArray("k=xyz") << S("notAColour") << quint32(0);
    QTest::newRow("quoted hex") << QByteArray("k=\"$00FF8000\"") << S("clBtnFace")
                                << quint32(0x00FF8000);
}

void TestColorConvert::readColorFallsBack()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, defaultName);
    QFETCH(quint32, expected);
    TestHome home;
    home.write(S("config.ini"), "[Option_Tab]\r\n" + stored + "\r\n");
    const IniFile ini = IniFile::config();
    QCOMPARE(ColorConvert::ReadColor(ini, S("Option_Tab"), S("k"), defaultName), expected);
    QCOMPARE(ColorPalette::readColor(ini, S("Option_Tab"), S("k"), defaultName), expected);
    QCOMPARE(ColorPalette::readQColor(ini, S("Option_Tab"), S("k"), defaultName),
             ColorPalette::toQColor(expected));
}

void TestColorConvert::plainColorsOnScreen()
{
    QCOMPARE(ColorPalette::toQColor(0x00000000), QColor(0, 0, 0));
    QCOMPARE(ColorPalette::toQColor(0x000000FF), QColor(255, 0, 0));     // clRed
    QCOMPARE(ColorPalette::toQColor(0x0000FF00), QColor(0, 255, 0));     // clLime
    QCOMPARE(ColorPalette::toQColor(0x00FF0000), QColor(0, 0, 255));     // clBlue
    QCOMPARE(ColorPalette::toQColor(0x00FF8000), QColor(0, 128, 255));   // BGR order
    QCOMPARE(ColorPalette::toQColor(0x00808000), QColor(0, 128, 128));   // clTeal
    QCOMPARE(ColorPalette::toQColor(0x1FFFFFFF), QColor(255, 255, 255)); // high byte ignored
}

void TestColorConvert::systemColorsFollowThePalette()
{
    QPalette pal;
    pal.setColor(QPalette::Button, QColor(1, 2, 3));
    pal.setColor(QPalette::WindowText, QColor(4, 5, 6));
    pal.setColor(QPalette::Highlight, QColor(7, 8, 9));
    pal.setColor(QPalette::HighlightedText, QColor(10, 11, 12));
    pal.setColor(QPalette::Base, QColor(13, 14, 15));
    pal.setColor(QPalette::ButtonText, QColor(16, 17, 18));
    pal.setColor(QPalette::ToolTipBase, QColor(19, 20, 21));
    pal.setColor(QPalette::ToolTipText, QColor(22, 23, 24));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(25, 26, 27));
    const QPalette saved = QApplication::palette();
    QApplication::setPalette(pal);
    QCOMPARE(ColorPalette::toQColor(0x8000000F), QColor(1, 2, 3));    // clBtnFace
    QCOMPARE(ColorPalette::toQColor(0x80000008), QColor(4, 5, 6));    // clWindowText
    QCOMPARE(ColorPalette::toQColor(0x8000000D), QColor(7, 8, 9));    // clHighlight
    QCOMPARE(ColorPalette::toQColor(0x8000000E), QColor(10, 11, 12)); // clHighlightText
    QCOMPARE(ColorPalette::toQColor(0x80000005), QColor(13, 14, 15)); // clWindow
    QCOMPARE(ColorPalette::toQColor(0x80000012), QColor(16, 17, 18)); // clBtnText
    QCOMPARE(ColorPalette::toQColor(0x80000018), QColor(19, 20, 21)); // clInfoBk
    QCOMPARE(ColorPalette::toQColor(0x80000017), QColor(22, 23, 24)); // clInfoText
    QCOMPARE(ColorPalette::toQColor(0x80000011), QColor(25, 26, 27)); // clGrayText
    // Every system colour gives a valid colour, also indices without a role.
    for (quint32 v = 0x80000000u; v <= 0x800000FFu; ++v)
        QVERIFY(ColorPalette::toQColor(v).isValid());
    QApplication::setPalette(saved);
}

void TestColorConvert::tabColorDefaults()
{
    TestHome home;
    const IniFile ini = IniFile::config();
    const QPalette pal = QApplication::palette();
    QCOMPARE(
        ColorPalette::readQColor(ini, S("Option_Tab"), S("ActivateChColor"), S("clWindowText")),
        pal.color(QPalette::WindowText));
    QCOMPARE(ColorPalette::readQColor(ini, S("Option_Tab"), S("ActivateBGColor"), S("clBtnFace")),
             pal.color(QPalette::Button));
}

int main(int argc, char **argv)
{
    // The palette needs a GUI application; without a display the offscreen platform serves.
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestColorConvert test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ColorConvert.moc"
