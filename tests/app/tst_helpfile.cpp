#include "platform/HelpWindow.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

// The help file shipped with the program: it must read as UTF-8, every link must land somewhere,
// and the search list must offer the topics people look for.
class HelpFileTest : public QObject {
    Q_OBJECT
private:
    QByteArray bytes_;
    QString html_;
    QList<QPair<QString, QString>> entries_;

    static QStringList captured(const QString& html, const QString& pattern) {
        QStringList out;
        const QRegularExpression re(pattern);
        for (auto it = re.globalMatch(html); it.hasNext();)
            out << it.next().captured(1);
        return out;
    }

    // Anchors as the help window's text browser knows them, so a link that scrolls nowhere shows up here.
    static QSet<QString> renderedAnchors(const QString& html) {
        QTextDocument doc;
        doc.setHtml(html);
        QSet<QString> anchors;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                for (const QString& name : it.fragment().charFormat().anchorNames())
                    anchors.insert(name);
        return anchors;
    }

private slots:
    void initTestCase() {
        QFile file(QStringLiteral(KALIMO_SOURCE_DIR "/resources/help/KALIMO.HLP"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        bytes_ = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        html_ = decoder.decode(bytes_);
        QVERIFY2(!decoder.hasError(), "the help file is not valid UTF-8");
        entries_ = HelpWindow::entries(html_);
    }

    void opensAtTheContents() {
        QVERIFY(!entries_.isEmpty());
        QCOMPARE(entries_.first().first, QStringLiteral("sommaire"));
        QVERIFY(renderedAnchors(html_).contains(QStringLiteral("sommaire")));
    }

    void everyHeadingIsInTheSearchList() {
        const int headings = html_.count(QRegularExpression(QStringLiteral("<h[1-3][\\s>]")));
        QCOMPARE(entries_.size(), headings);
        for (const auto& [anchor, title] : entries_)
            QVERIFY2(!title.isEmpty(), qPrintable(anchor));
    }

    void idsAreUnique() {
        const QStringList ids = captured(html_, QStringLiteral("\\bid=\"([^\"]*)\""));
        QVERIFY(!ids.isEmpty());
        QSet<QString> seen;
        for (const QString& id : ids) {
            QVERIFY2(!id.isEmpty(), "empty id");
            QVERIFY2(!seen.contains(id), qPrintable(QStringLiteral("duplicate id: ") + id));
            seen.insert(id);
        }
    }

    void linksLandOnAnAnchor() {
        const QStringList targets = captured(html_, QStringLiteral("href=\"#([^\"]*)\""));
        QVERIFY(targets.size() > 20);
        const QSet<QString> anchors = renderedAnchors(html_);
        for (const QString& target : targets)
            QVERIFY2(anchors.contains(target), qPrintable(QStringLiteral("dead link: #") + target));
        for (const auto& entry : entries_)
            QVERIFY2(anchors.contains(entry.first),
                     qPrintable(QStringLiteral("entry not scrollable: ") + entry.first));
    }

    void searchFindsTheMainTopics_data() {
        QTest::addColumn<QString>("word");
        const char* words[] = {"Imprimer",           "Logo",     "Visionneuse", "Zones de texte",
                               "Fichiers de cartes", ".PAR",     "Orientation", "Redimensionner",
                               "Ligne de commande",  "Messages", "Conseils",    "Page d’essai",
                               "A propos",           "PDF"};
        for (const char* word : words)
            QTest::newRow(word) << QString::fromUtf8(word);
    }
    void searchFindsTheMainTopics() {
        QFETCH(QString, word);
        const bool found = std::any_of(entries_.cbegin(), entries_.cend(), [&](const auto& entry) {
            return entry.second.contains(word, Qt::CaseInsensitive);
        });
        QVERIFY2(found, qPrintable(word));
    }

    // Every message a person may meet has its own entry, written as the program shows it.
    void messagesHaveTheirOwnEntry_data() {
        QTest::addColumn<QString>("message");
        const char* messages[] = {"non trouvé !",
                                  "Erreur d'ouverture du fichier",
                                  "Erreur lors de la sauvegarde du fichier !",
                                  "Format d'image non supporté !",
                                  "Nombre maximum de cartes identiques = 10",
                                  "Erreur d'impression ou de police non définie !",
                                  "Lecteur indisponible ou non prêt !"};
        for (const char* message : messages)
            QTest::newRow(message) << QString::fromUtf8(message);
    }
    void messagesHaveTheirOwnEntry() {
        QFETCH(QString, message);
        const bool found = std::any_of(entries_.cbegin(), entries_.cend(),
                                       [&](const auto& entry) { return entry.second.contains(message); });
        QVERIFY2(found, qPrintable(message));
    }
};

QTEST_MAIN(HelpFileTest)
#include "tst_helpfile.moc"
