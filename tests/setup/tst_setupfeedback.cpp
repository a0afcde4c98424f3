// What the print set-up dialog tells the person: greyed cards in the identical-cards mode, and a
// parameter load that stopped early, with the boxes showing what will print.
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "app/NumberText.h"
#include "setup/FilteredEdit.h"
#include "setup/Form2.h"
#include "setup/SetupTexts.h"
#include "setup/SheetPicture.h"

#include <QtTest>
#include <QtWidgets>

namespace {

struct Started {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    QTemporaryDir dir;
    Started() { w.Form_Load(); }
    Form2& dialog() { return w.form2(); }
    // The darkest grey of a widget as drawn: its text.
    static int darkest(QWidget* widget) {
        const QImage image = widget->grab().toImage();
        int dark = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 2; x < image.width() - 2; ++x) // inside the border
                dark = std::min(dark, qGray(image.pixel(x, y)));
        return dark;
    }
};

} // namespace

class SetupFeedbackTest : public QObject {
    Q_OBJECT
private slots:
    // In mode 1 the ten cards are greyed, their tip says why, and a click on one says how to choose it; in
    // mode 0 they are drawn as usual and a click chooses without a word.
    void cardsByMode_data() {
        QTest::addColumn<bool>("single");
        QTest::newRow("identical cards") << false;
        QTest::newRow("selected card") << true;
    }
    void cardsByMode() {
        QFETCH(bool, single);
        Started s;
        Form2& d = s.dialog();
        d.show();
        const int normalText = Started::darkest(d.Label11); // a caption that is never greyed
        if (single)
            QTest::mouseClick(d.Option2, Qt::LeftButton);
        for (int n = 1; n <= 10; ++n) {
            PositionBox* card = d.Label[n - 1];
            QCOMPARE(card->isEnabled(), single);
            QCOMPARE(card->toolTip(),
                     single ? QStringLiteral("Cliquez pour sélectionner") : setup::positionsLockedHint());
            // Greyed text is clearly lighter than the usual text.
            const int text = Started::darkest(card);
            QVERIFY2(single ? text <= normalText + 10 : text >= normalText + 60,
                     qPrintable(QStringLiteral("card %1: %2 / %3").arg(n).arg(text).arg(normalText)));
        }
        QTest::mouseClick(d.Label[3], Qt::LeftButton, {}, d.Label[3]->rect().center());
        QCOMPARE(int(s.m.request.position), single ? 4 : 0);
        const QList<MessageRequest> expected{
            {setup::positionsLockedHint(), d.windowTitle(), MsgButtons::Ok, MsgIcon::Information, 1}};
        QCOMPARE(s.tp.messages->shown, single ? QList<MessageRequest>{} : expected);
        // A click beside the cards says nothing.
        QTest::mouseClick(d.Frame1, Qt::LeftButton, {}, QPoint(3, d.Frame1->height() - 3));
        QCOMPARE(s.tp.messages->shown.size(), single ? 0 : 1);
    }

    // A load from the dialog or from the menu, after "Imprimer cadre" was unticked. The boxes and ticks
    // must then show what the layout holds (what will print); a load that stopped early says where.
    void partialLoad_data() {
        QTest::addColumn<QByteArray>("content"); // "absent" for no file
        QTest::addColumn<QString>("shown");      // Text1..Text6, then the two ticks
        QTest::addColumn<int>("stoppedAt");      // -1: read to the end
        const QByteArray full = "7,1,2,3,80,50\r\n#TRUE#,#FALSE#\r\n";
        const QByteArray bom = "\xEF\xBB\xBF";
        const QString before = "5|0|0|0|85|54|01";
        QTest::newRow("whole file") << full << " 7| 2| 1| 3| 80| 50|10" << -1;
        QTest::newRow("byte-order mark") << bom + full << " 7| 2| 1| 3| 80| 50|10" << -1;
        QTest::newRow("byte-order mark, one field a line") << bom + "7\n1\n2\n3\n80\n50\n0\n1\n"
                                                           << " 7| 2| 1| 3| 80| 50|01" << -1;
        QTest::newRow("no such file") << QByteArray("absent") << before << 0;
        QTest::newRow("empty file") << QByteArray() << before << 1;
        QTest::newRow("only a byte-order mark") << bom << before << 1;
        QTest::newRow("two byte-order marks") << bom + bom + full << before << 1;
        QTest::newRow("bad first field") << QByteArray("x,1,2,3,80,50\r\n") << before << 1;
        QTest::newRow("bad second field") << bom + "7,x"
                                          << " 7| 0| 0| 0| 85| 54|01" << 2;
        QTest::newRow("bad third field") << QByteArray("7,1,x,3,80,50\r\n") << " 7| 0| 1| 0| 85| 54|01" << 3;
        QTest::newRow("cut in the sixth") << QByteArray("7,1,2,3,80") << " 7| 2| 1| 3| 80| 54|01" << 6;
        QTest::newRow("no flags") << QByteArray("7,1,2,3,80,50\r\n") << " 7| 2| 1| 3| 80| 50|01" << 7;
        QTest::newRow("bad second flag")
            << QByteArray("7,1,2,3,80,50\r\n#TRUE#,peut-etre\r\n") << " 7| 2| 1| 3| 80| 50|01" << 8;
    }
    void partialLoad() {
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        QFETCH(int, stoppedAt);
        for (const bool fromMenu : {false, true}) {
            Started s;
            const QString path = s.dir.filePath(QStringLiteral("essai.par"));
            if (content != "absent") {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(content);
            }
            Form2& d = s.dialog();
            QTest::mouseClick(d.Check1, Qt::LeftButton);
            s.tp.files->chooseNext(path);
            if (fromMenu)
                s.w.Mnu_ChargeParam->trigger();
            else
                QTest::mouseClick(d.Command5, Qt::LeftButton);

            QStringList boxes;
            for (int box = 1; box <= 6; ++box) {
                boxes << d.Text[box - 1]->text();
                QCOMPARE(numtext::toNumber(boxes.last()), setup::measureOfBox(s.m.layout, box));
            }
            d.takeFlags(); // what closing the dialog would print
            boxes
                << QStringLiteral("%1%2").arg(int(s.m.layout.printFrame)).arg(int(s.m.layout.printCutMarks));
            QCOMPARE(boxes.join('|'), shown);
            const QList<MessageRequest> said =
                stoppedAt < 0 ? QList<MessageRequest>{}
                              : QList<MessageRequest>{{setup::parameterLoadStopped(path, stoppedAt), "Erreur",
                                                       MsgButtons::Ok, MsgIcon::Critical, 1}};
            QCOMPARE(s.tp.messages->shown, said);
            QCOMPARE(d.windowTitle(),
                     QStringLiteral("Paramétrage de l'impression ") +
                         (stoppedAt < 0 ? QStringLiteral("ESSAI.PAR") : QStringLiteral("DEFAUT")));
            QCOMPARE(s.m.parameterFile.fileLoaded, stoppedAt < 0);
        }
    }

    // The message names the field that stopped the load and what was kept.
    void stoppedMessage_data() {
        QTest::addColumn<int>("stoppedAt");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("kept");
        QTest::newRow("unreadable") << 0 << "ne peut pas être lu"
                                    << "n'ont pas changé";
        QTest::newRow("first") << 1 << "champ 1 (marge gauche)"
                               << "Aucun paramètre";
        QTest::newRow("second") << 2 << "champ 2 (marge haute)"
                                << "avant ce champ";
        QTest::newRow("third") << 3 << "champ 3 (séparateur horizontal)"
                               << "avant ce champ";
        QTest::newRow("fourth") << 4 << "champ 4 (séparateur vertical)"
                                << "avant ce champ";
        QTest::newRow("fifth") << 5 << "champ 5 (largeur de la carte)"
                               << "avant ce champ";
        QTest::newRow("sixth") << 6 << "champ 6 (hauteur de la carte)"
                               << "avant ce champ";
        QTest::newRow("seventh") << 7 << "champ 7 (imprimer cadre)"
                                 << "six mesures";
        QTest::newRow("eighth") << 8 << "champ 8 (imprimer découpe)"
                                << "six mesures";
        QTest::newRow("out of range") << 9 << "ne peut pas être lu"
                                      << "n'ont pas changé";
    }
    void stoppedMessage() {
        QFETCH(int, stoppedAt);
        QFETCH(QString, names);
        QFETCH(QString, kept);
        const QString text = setup::parameterLoadStopped(QStringLiteral("/tmp/x.par"), stoppedAt);
        QVERIFY2(text.contains(names) && text.contains(kept) && text.contains("/tmp/x.par"),
                 qPrintable(text));
    }
};

QTEST_MAIN(SetupFeedbackTest)
#include "tst_setupfeedback.moc"
