// The help's search: accents, case and apostrophes aside, over titles and text; the help window
// within the screen; the help naming what the program shows.
#include "logo/LogoCommands.h"
#include "platform/HelpSearch.h"
#include "platform/HelpWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QtTest>

namespace {

const QString HelpFile = QStringLiteral(KALIMO_SOURCE_DIR "/resources/help/KALIMO.HLP");

QString helpHtml() {
    QFile f(HelpFile);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A small help: the order of the search's answers is known.
const QString Sample =
    QStringLiteral("<html><body><h1 id=\"a\">Sommaire</h1><p>Le paramétrage se fait plus loin.</p>"
                   "<h2 id=\"b\">Paramétrage de l’impression</h2><p>Marges &amp; séparateurs.</p>"
                   "<h3 class=\"x\" id=\"c\">Le cœur du <b>logo</b></h3><p>Une image d’ŒUVRE, en SVG.</p>"
                   "<h3>Sans ancre</h3><p>introuvable</p></body></html>");

} // namespace

class HelpSearchTest : public QObject {
    Q_OBJECT
private slots:
    void sections() {
        const auto s = helpsearch::sections(Sample);
        QCOMPARE(s.size(), 3);
        QCOMPARE(s[2].anchor, QStringLiteral("c"));
        QCOMPARE(s[2].title, QStringLiteral("Le cœur du logo"));
        // A heading without an id belongs to the text before it.
        QVERIFY(s[2].text.contains("SVG") && s[2].text.contains("Sans ancre") && !s[1].text.contains("SVG"));
        QVERIFY(s[1].text.contains("Marges & séparateurs") && !s[1].text.contains("Paramétrage"));
    }

    void search_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("found"); // anchors in order
        QTest::newRow("accents left out") << "parametrage"
                                          << "b a";
        QTest::newRow("capitals and accents") << "PARAMÉTRAGE"
                                              << "b a";
        QTest::newRow("the noun finds the -age word") << "parametre"
                                                      << "b a";
        QTest::newRow("plural finds the singular") << "parametres"
                                                   << "b a";
        QTest::newRow("feminine plural") << "marge"
                                         << "b";
        QTest::newRow("short words stay whole") << "les"
                                                << "";
        QTest::newRow("start of a word") << "param"
                                         << "b a";
        QTest::newRow("in the text only") << "séparateurs"
                                          << "b";
        QTest::newRow("ligature spelt out") << "coeur"
                                            << "c";
        QTest::newRow("ligature typed") << "cœur"
                                        << "c";
        QTest::newRow("capital ligature") << "oeuvre"
                                          << "c";
        QTest::newRow("typed apostrophe finds the typographic one") << "d'oeuvre"
                                                                    << "c";
        QTest::newRow("typographic apostrophe") << "de l’impression"
                                                << "b";
        QTest::newRow("every word, anywhere in the section") << "logo svg"
                                                             << "c";
        QTest::newRow("words from two sections") << "marges svg"
                                                 << "";
        QTest::newRow("markup is not text") << "<b>"
                                            << "";
        QTest::newRow("entity as its character") << "&"
                                                 << "b";
        QTest::newRow("blanks around") << "   logo  "
                                       << "c";
        QTest::newRow("empty lists all") << ""
                                         << "a b c";
        QTest::newRow("nothing") << "zzz"
                                 << "";
    }
    void stems_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("stem");
        const QStringList pairs{"parametre=parametr",
                                "parametrage=parametr",
                                "parametrages=parametr",
                                "selectionnee=selectionn",
                                "selectionnees=selectionn",
                                "imprimer=imprim",
                                "imprimez=imprim",
                                "largement=larg",
                                "deplacements=deplac",
                                "cartes=cart",
                                "logo=logo",
                                "svg=svg",
                                "cree=cree",
                                "age=age",
                                "mes=mes"};
        for (const QString& p : pairs)
            QTest::newRow(qPrintable(p)) << p.section('=', 0, 0) << p.section('=', 1);
    }
    void stems() {
        QFETCH(QString, word);
        QFETCH(QString, stem);
        QCOMPARE(helpsearch::stem(word), stem);
    }

    void search() {
        QFETCH(QString, query);
        QFETCH(QString, found);
        const auto s = helpsearch::sections(Sample);
        QStringList anchors;
        for (const int i : helpsearch::find(s, query))
            anchors << s[i].anchor;
        QCOMPARE(anchors.join(' '), found);
    }

    // The real help: a word typed without accents finds the sections that speak of it.
    void helpFile_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("first"); // the anchor of the first answer
        QTest::addColumn<QString>("among"); // another anchor that must be found
        QTest::newRow("parametre") << "parametre"
                                   << "parametrage"
                                   << "fichiers-par";
        QTest::newRow("svg, in a table") << "svg"
                                         << "logo-formats"
                                         << "logo-formats";
        QTest::newRow("systeme info") << "systeme info"
                                      << "a-propos"
                                      << "a-propos";
        QTest::newRow("carte selectionnee") << "carte selectionnee"
                                            << "mode-selection"
                                            << "mode-selection";
    }
    void helpFile() {
        QFETCH(QString, query);
        QFETCH(QString, first);
        QFETCH(QString, among);
        HelpWindow w;
        w.showSearch(HelpFile);
        auto* field = w.findChild<QLineEdit*>(QStringLiteral("HelpSearch"));
        auto* list = w.findChild<QListWidget*>(QStringLiteral("HelpEntries"));
        QTest::keyClicks(field, query);
        QVERIFY(list->count() > 0);
        QStringList anchors;
        for (int i = 0; i < list->count(); ++i)
            anchors << list->item(i)->data(Qt::UserRole).toString();
        QVERIFY2(anchors.first() == first && anchors.contains(among), qPrintable(anchors.join(' ')));
    }

    // On a screen smaller than its usual size, the window still opens whole within it.
    void opensOnScreen_data() {
        QTest::addColumn<bool>("search");
        QTest::newRow("contents") << false;
        QTest::newRow("search") << true;
    }
    void opensOnScreen() {
        QFETCH(bool, search);
        HelpWindow w;
        w.move(-400, 5000);
        if (search)
            w.showSearch(HelpFile);
        else
            w.showContents(HelpFile);
        const QRect free = w.screen()->availableGeometry();
        QVERIFY2(free.contains(w.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                  .arg(w.frameGeometry().x())
                                                                  .arg(w.frameGeometry().y())
                                                                  .arg(w.width())
                                                                  .arg(w.height())));
        QVERIFY(w.width() >= free.width() / 2 && w.height() >= free.height() / 2);
    }

    // The help names the search field as the window does, knows every kind the logo chooser offers, and no
    // longer promises a logo within the card.
    void helpAgreesWithProgram() {
        const QString text = helpsearch::fold(QTextDocumentFragment::fromHtml(helpHtml()).toPlainText());
        QVERIFY(!text.isEmpty());
        HelpWindow w;
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("HelpPrompt"))->text(), HelpWindow::searchPrompt());
        QVERIFY(text.contains(helpsearch::fold("« " + HelpWindow::searchPrompt() + " »")));
        QVERIFY(!text.contains(helpsearch::fold("Tapez les premières lettres")));
        QVERIFY(!text.contains(helpsearch::fold("ne peut pas dépasser")));
        QVERIFY(!text.contains(helpsearch::fold("(PNG, par exemple) sont refusés")));
        const QStringList parts = logocommands::fileFilter().split('|');
        for (int i = 1; i < parts.size(); i += 2)
            for (const QString& pattern : parts[i].split(';'))
                QVERIFY2(text.contains(pattern.mid(1) + ",") || text.contains(pattern.mid(1) + "\t") ||
                             text.contains(pattern.mid(1) + " "),
                         qPrintable(pattern));
    }
};

QTEST_MAIN(HelpSearchTest)
#include "tst_helpsearch.moc"
