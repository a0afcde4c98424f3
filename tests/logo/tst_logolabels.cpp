// The logo dialog's value labels against the logo's real size, whatever set it.
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QtTest>

class LogoLabelsTest : public QObject {
    Q_OBJECT
private slots:
    // Steps: "p:<list text>" chooses a list entry, "w:<n>" / "h:<n>" moves the width / height bar,
    // "l:<n>" / "t:<n>" the margin bars. After every step the labels show the logo's size and
    // margins, and the preview box has that size; the last labels are given.
    void labels_data() {
        QTest::addColumn<QSizeF>("card");
        QTest::addColumn<QSizeF>("opening"); // the logo's size in mm when the dialog opens
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown"); // "width x height, left, top" as the labels read at the end
        QTest::addColumn<int>("messages");
        const QSizeF usual(85, 54), small(15, 15);
        QTest::newRow("opening") << usual << QSizeF(11.11, 11.11) << ""
                                 << "11 x 11, 0, 0" << 0;
        QTest::newRow("preset within the card") << usual << QSizeF(14, 11) << "p:15 x 20 mm"
                                                << "15 x 20, 0, 0" << 0;
        QTest::newRow("preset above a small card: 80 x 50") << small << QSizeF(14, 11) << "p:20 x 20 mm"
                                                            << "80 x 50, 0, 0" << 2;
        QTest::newRow("preset above a low card: height 50")
            << QSizeF(85, 15) << QSizeF(14, 11) << "p:20 x 20 mm"
            << "20 x 50, 0, 0" << 1;
        QTest::newRow("preset above a narrow card: width 80")
            << QSizeF(15, 54) << QSizeF(14, 11) << "p:10 x 20 mm;p:20 x 20 mm"
            << "80 x 20, 0, 0" << 1;
        QTest::newRow("same oversized preset twice") << small << QSizeF(14, 11) << "p:20 x 20 mm;p:20 x 20 mm"
                                                     << "80 x 50, 0, 0" << 4;
        QTest::newRow("back to a preset that fits") << small << QSizeF(14, 11) << "p:20 x 20 mm;p: 8 x  8 mm"
                                                    << "8 x 8, 0, 0" << 2;
        QTest::newRow("opening larger than the card") << QSizeF(20, 20) << QSizeF(30, 12) << ""
                                                      << "80 x 12, 0, 0" << 1;
        QTest::newRow("custom after a preset") << usual << QSizeF(14, 11) << "p:10 x 15 mm;p:Personnalisé"
                                               << "10 x 15, 0, 0" << 0;
        QTest::newRow("bars") << usual << QSizeF(14, 11) << "w:30;h:2;l:7;t:20"
                              << "30 x 2, 7, 20" << 0;
    }
    void labels() {
        QFETCH(QSizeF, card);
        QFETCH(QSizeF, opening);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        QFETCH(int, messages);
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        m.layout.cardWidth = card.width();
        m.layout.cardHeight = card.height();
        CardLogo& logo = m.card.Logo;
        logo.boxTwips.setSize(opening * TwipsPerMm);
        Form3 d(m, tp.platform, w);
        d.Form_Load();
        // The labels as they read, and the logo's real values in the same form.
        const auto labels = [&] {
            return QStringLiteral("%1 x %2, %3, %4")
                .arg(d.Label5->text(), d.Label6->text(), d.Label7->text(), d.Label8->text());
        };
        const auto real = [&] {
            return QStringLiteral("%1 x %2, %3, %4")
                .arg(logo.Width)
                .arg(logo.Height)
                .arg(logo.Left)
                .arg(logo.Top);
        };
        const auto check = [&](const QString& step) {
            QVERIFY2(labels() == real(), qPrintable(step + ": " + labels() + " / " + real()));
            QVERIFY(qAbs(logo.boxTwips.width() - logo.Width * TwipsPerMm) < 0.01);
            QVERIFY(qAbs(logo.boxTwips.height() - logo.Height * TwipsPerMm) < 0.01);
        };
        check(QStringLiteral("opening"));
        for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
            const QString value = step.mid(2);
            switch (step.at(0).toLatin1()) {
            case 'p':
                d.Combo1->setCurrentIndex(d.Combo1->findText(value));
                d.Combo1_Click();
                break;
            case 'w':
                d.HScroll1->setValue(value.toInt());
                break;
            case 'h':
                d.VScroll1->setValue(value.toInt());
                break;
            case 'l':
                d.HScroll2->setValue(value.toInt());
                break;
            case 't':
                d.VScroll2->setValue(value.toInt());
                break;
            }
            check(step);
        }
        QCOMPARE(labels(), shown);
        QCOMPARE(tp.messages->shown.size(), messages);
    }
};

QTEST_MAIN(LogoLabelsTest)
#include "tst_logolabels.moc"
