#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

// Every entry of the logo dialog's list of sizes, in its place and with its blanks, and the
// size each one gives the logo, its preview box and the dialog's hidden fields.
class LogoPresetsTest : public QObject {
    Q_OBJECT
private slots:
    void entry_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("mm"); // the size it gives; the custom entry gives the fields' 11 x 11
        const QList<QPair<const char*, QSize>> entries = {
            {" 8 x  8 mm", {8, 8}},   {"10 x 10 mm", {10, 10}}, {"12 x 12 mm", {12, 12}},
            {"14 x 14 mm", {14, 14}}, {"15 x 15 mm", {15, 15}}, {"18 x 18 mm", {18, 18}},
            {"20 x 20 mm", {20, 20}}, {" 8 x 12 mm", {8, 12}},  {"10 x 15 mm", {10, 15}},
            {"10 x 20 mm", {10, 20}}, {"15 x 20 mm", {15, 20}}, {"Personnalisé", {11, 11}}};
        for (int i = 0; i < entries.size(); ++i)
            QTest::newRow(entries[i].first) << i << QString::fromUtf8(entries[i].first) << entries[i].second;
    }
    void entry() {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QSize, mm);
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        Form3 f(m, tp.platform, w);
        f.Form_Load();
        QCOMPARE(f.Combo1->count(), 12);
        QCOMPARE(f.Combo1->itemText(index), text);
        QCOMPARE(f.Combo1->currentText(), QStringLiteral("Personnalisé"));
        f.Combo1->setCurrentIndex(index);
        emit f.Combo1->activated(index);
        const CardLogo& logo = m.card.Logo;
        QCOMPARE(QSizeF(logo.Width, logo.Height), QSizeF(mm));
        // Millimetres times 56.7, in twips.
        const QSizeF twips = logo.boxTwips.size() - QSizeF(mm) * 56.7;
        QVERIFY2(qAbs(twips.width()) < 0.01 && qAbs(twips.height()) < 0.01,
                 qPrintable(QString::number(twips.width())));
        QCOMPARE(QStringList({f.Text1->text(), f.Text2->text()}),
                 QStringList({QString::number(mm.width()), QString::number(mm.height())}));
        // The size bars only for the custom entry.
        const bool custom = index == 11;
        QCOMPARE(!f.HScroll1->isHidden() && f.HScroll1->isEnabled(), custom);
        QCOMPARE(!f.VScroll1->isHidden() && f.VScroll1->isEnabled(), custom);
        QVERIFY(tp.messages->shown.isEmpty());
        // Back to the custom entry: the fields give the size the preset left.
        f.Combo1->setCurrentIndex(11);
        emit f.Combo1->activated(11);
        QCOMPARE(QSizeF(logo.Width, logo.Height), QSizeF(mm));
        QVERIFY(!f.HScroll1->isHidden() && !f.VScroll1->isHidden());
    }
};

QTEST_MAIN(LogoPresetsTest)
#include "tst_logopresets.moc"
