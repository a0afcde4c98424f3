#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QTemporaryDir>
#include <QtTest>
#include <QtWidgets>

// Every value the program starts with, and every value "Paramètres à Défaut" puts back: one
// wrong entry in either table would print or save a card unlike the one a person expects.
class StartValuesTest : public QObject {
    Q_OBJECT

    struct Started {
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        Started() { w.Form_Load(); }
        QLineEdit* box(int n) { return w.form2().findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)); }
        QAbstractButton* button(const char* name) {
            return w.form2().findChild<QAbstractButton*>(QString::fromLatin1(name));
        }
        QString layout() const {
            const PrintLayout& l = m.layout;
            QStringList out;
            for (double v : {l.leftMargin, l.topMargin, l.horizontalSeparator, l.verticalSeparator,
                             l.cardWidth, l.cardHeight, double(l.cardCount)})
                out << QString::number(v);
            return out.join(',') + (l.printFrame ? " cadre" : "") + (l.printCutMarks ? " découpe" : "");
        }
    };

private slots:
    // The card as started, saved: each zone in Arial 8.25, neither bold nor italic, in the
    // window text colour, aligned left; the logo 11.11 mm square at the card's corner, unrecorded.
    void startupCard() {
        Started s;
        QTemporaryDir dir;
        s.tp.files->chooseNext(dir.filePath("depart.cdv"));
        s.w.Mnu_EnregistrerSous->trigger();
        QString lines;
        for (int z = 1; z <= 3; ++z)
            lines += QStringLiteral("[Titre %1]\n\"\"\n[Police %1]\nArial\n 8.25\nFalse\nFalse\n"
                                    "[Couleur %1]\n-2147483640 \n[Alignement %1]\n 0 \n")
                         .arg(z);
        QCOMPARE(samples::readFile(dir.filePath("depart.cdv")),
                 samples::crlf(lines + "[Icone]\n 11.1\n 11.1\n 0\n 0\nAUCUN"));
        // What the file does not hold.
        for (const TextZone& z : s.m.card.Zones) {
            QVERIFY(!z.FontUnderline && !z.FontStrikethru);
            QCOMPARE(z.FontSize, 8.25f);
        }
        QCOMPARE(s.m.card.Logo.Width, 11.11);
        QCOMPARE(s.m.card.Logo.Height, 11.11);
        QCOMPARE(s.m.SelectedZone, qint16(1));
        QVERIFY(s.m.CopiedImagePath.isEmpty() && s.w.editorText().isEmpty());
        QCOMPARE(s.w.Label4->text(), QStringLiteral("Edition du texte zone 1"));
        QCOMPARE(s.w.Frame1->title(), QStringLiteral("Aligner texte 1"));
    }

    // The built-in set DEFAUT at start-up and the print request and file state beside it.
    void startupLayout() {
        Started s;
        QCOMPARE(s.layout(), QStringLiteral("5,0,0,0,85,54,10 cadre découpe"));
        QCOMPARE(QList<qint16>({s.m.request.mode, s.m.request.position, s.m.request.cancelled}),
                 QList<qint16>({1, 0, 0}));
        QVERIFY(s.m.parameterFile.lastPath.isEmpty() && s.m.parameterFile.loadedTitle.isEmpty() &&
                !s.m.parameterFile.fileLoaded);
        QCOMPARE(QPointF(s.m.cardOrigin.X, s.m.cardOrigin.Y), QPointF(0, 0));
    }

    // Each measure, the count and both flags changed in the dialog, then "Paramètres à Défaut".
    void restoreEveryValue_data() {
        QTest::addColumn<QString>("changed"); // a box and what is typed into it, or a check box clicked
        QTest::addColumn<QString>("layout");  // the layout once changed
        QTest::newRow("left margin") << "Text1 9"
                                     << "9,0,0,0,85,54,10 cadre découpe";
        QTest::newRow("column gap") << "Text2 8"
                                    << "5,0,8,0,85,54,10 cadre découpe";
        QTest::newRow("top margin") << "Text3 7"
                                    << "5,7,0,0,85,54,10 cadre découpe";
        QTest::newRow("row gap") << "Text4 6"
                                 << "5,0,0,6,85,54,10 cadre découpe";
        QTest::newRow("width") << "Text5 70"
                               << "5,0,0,0,70,54,10 cadre découpe";
        QTest::newRow("height") << "Text6 40"
                                << "5,0,0,0,85,40,10 cadre découpe";
        QTest::newRow("count") << "Text7 3"
                               << "5,0,0,0,85,54,3 cadre découpe";
        QTest::newRow("frame") << "Check1"
                               << "5,0,0,0,85,54,10 découpe";
        QTest::newRow("cut marks") << "Check2"
                                   << "5,0,0,0,85,54,10 cadre";
    }
    void restoreEveryValue() {
        QFETCH(QString, changed);
        QFETCH(QString, layout);
        Started s;
        const QString name = changed.section(' ', 0, 0);
        if (name.startsWith(QLatin1String("Check"))) {
            QTest::mouseClick(s.button(qPrintable(name)), Qt::LeftButton);
            // The flags are taken when the dialog closes; it is made again for the next use.
            s.w.form2().show();
            s.w.form2().close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            QLineEdit* box = s.box(name.mid(4).toInt());
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, changed.section(' ', 1));
        }
        QCOMPARE(s.layout(), layout);
        QTest::mouseClick(s.button("Command3"), Qt::LeftButton);
        QCOMPARE(s.layout(), QStringLiteral("5,0,0,0,85,54,10 cadre découpe"));
        QStringList texts;
        for (int n = 1; n <= 7; ++n)
            texts << s.box(n)->text();
        QCOMPARE(texts, (QStringList{"5", "0", "0", "0", "85", "54", "10"}));
        QVERIFY(s.button("Check1")->isChecked() && s.button("Check2")->isChecked());
        QCOMPARE(s.button("Option1")->text(), QStringLiteral("10 Cartes identiques"));
        QCOMPARE(s.button("Command1")->text(), QStringLiteral("&Imprimer 10 cartes"));
        QCOMPARE(s.w.form2().windowTitle(), QStringLiteral("Paramétrage de l'impression DEFAUT"));
    }
};

QTEST_MAIN(StartValuesTest)
#include "tst_startvalues.moc"
