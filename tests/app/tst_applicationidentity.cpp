#include "app/ApplicationIdentity.h"
#include "generated/BuildInfo.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtTest>

class ApplicationIdentityTest : public QObject {
    Q_OBJECT
private slots:
    // The desktop finds the menu entry the program names, and the entry's window class is
    // the program's name.
    void namesItsDesktopEntry() {
        nameApplication();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Kalimo"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("%1.%2.%3")
                                                             .arg(buildinfo::versionMajor)
                                                             .arg(buildinfo::versionMinor)
                                                             .arg(buildinfo::versionRevision));
        const QString entry = QGuiApplication::desktopFileName();
        QVERIFY(!entry.isEmpty() && !entry.endsWith(QLatin1String(".desktop")));
        QFile desktop(QStringLiteral(KALIMO_SOURCE_DIR "/resources/desktop/") + entry + ".desktop");
        QVERIFY2(desktop.open(QIODevice::ReadOnly), qPrintable(desktop.fileName()));
        const QByteArray text = desktop.readAll();
        QVERIFY(text.contains("\nStartupWMClass=" + QCoreApplication::applicationName().toUtf8() + "\n"));
        QVERIFY(text.contains("\nIcon=kalimo\n"));
    }

    // Without an installed theme icon, the bundled one is drawn at every size a desktop asks.
    void bundledIcon_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 128})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void bundledIcon() {
        QFETCH(int, size);
        const QIcon icon = applicationIcon();
        QVERIFY(!icon.isNull());
        const QImage image = icon.pixmap(size, size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(size / 2, size * 3 / 4)), 255);
    }
};

QTEST_MAIN(ApplicationIdentityTest)
#include "tst_applicationidentity.moc"
