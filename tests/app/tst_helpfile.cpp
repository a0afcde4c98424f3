#include "platform/HelpWindow.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

// The help file shipped with the program: UTF-8, opening at its contents, every link and
// search entry landing on an anchor the help window knows.
class HelpFileTest : public QObject {
    Q_OBJECT
private slots:
    void linksAndEntriesLand() {
        QFile file(QStringLiteral(KALIMO_SOURCE_DIR "/resources/help/KALIMO.HLP"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString html = decoder.decode(file.readAll());
        QVERIFY2(!decoder.hasError(), "the help file is not valid UTF-8");

        QTextDocument doc;
        doc.setHtml(html);
        QSet<QString> anchors;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                for (const QString& name : it.fragment().charFormat().anchorNames())
                    anchors.insert(name);

        const auto entries = HelpWindow::entries(html);
        QCOMPARE(entries.value(0).first, QStringLiteral("sommaire"));
        QCOMPARE(entries.size(), int(html.count(QRegularExpression(QStringLiteral("<h[1-3][\\s>]")))));
        for (const auto& entry : entries)
            QVERIFY2(anchors.contains(entry.first), qPrintable(entry.first));
        const QRegularExpression link(QStringLiteral("href=\"#([^\"]*)\""));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(anchors.contains(target), qPrintable(QStringLiteral("dead link: #") + target));
        }
    }
};

QTEST_MAIN(HelpFileTest)
#include "tst_helpfile.moc"
