#include "platform/HelpSearch.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace helpsearch {

QList<Section> sections(const QString& html) {
    static const QRegularExpression heading(
        QStringLiteral("<h[1-3][^>]*\\bid=\"([^\"]+)\"[^>]*>(.*?)</h[1-3]>"),
        QRegularExpression::DotMatchesEverythingOption);
    QList<Section> out;
    qsizetype textStart = -1;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!out.isEmpty())
            out.last().text =
                QTextDocumentFragment::fromHtml(html.mid(textStart, m.capturedStart() - textStart))
                    .toPlainText();
        out.append(
            {m.captured(1), QTextDocumentFragment::fromHtml(m.captured(2)).toPlainText().simplified(), {}});
        textStart = m.capturedEnd();
    }
    if (!out.isEmpty()) {
        const qsizetype end = html.indexOf(QLatin1String("</body>"), textStart);
        out.last().text = QTextDocumentFragment::fromHtml(html.mid(textStart, end < 0 ? -1 : end - textStart))
                              .toPlainText();
    }
    return out;
}

QString fold(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        switch (c.unicode()) {
        case 0x0153: // œ
        case 0x0152:
            out += QLatin1String("oe");
            break;
        case 0x00E6: // æ
        case 0x00C6:
            out += QLatin1String("ae");
            break;
        case 0x2019: // ’
        case 0x2018:
            out += QLatin1Char('\'');
            break;
        default:
            out += c.isSpace() ? QChar(QLatin1Char(' ')) : c.toLower();
        }
    }
    return out.simplified();
}

QString stem(const QString& word) {
    // Longest first; a stem keeps at least four letters, so short words stay whole.
    static const char* const endings[] = {"ements", "ement", "ages", "age", "ees", "ee",
                                          "es",     "er",    "ez",   "e",   "s"};
    for (const char* ending : endings) {
        const QLatin1String e(ending);
        if (word.endsWith(e) && word.size() - e.size() >= 4)
            return word.left(word.size() - e.size());
    }
    return word;
}

QList<int> find(const QList<Section>& sections, const QString& query) {
    QStringList words = fold(query).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& w : words)
        w = stem(w);
    const auto holdsAll = [&words](const QString& folded) {
        for (const QString& w : words)
            if (!folded.contains(w))
                return false;
        return true;
    };
    QList<int> byTitle, byText;
    for (int i = 0; i < sections.size(); ++i) {
        const QString title = fold(sections[i].title);
        if (holdsAll(title))
            byTitle << i;
        else if (holdsAll(title + QLatin1Char(' ') + fold(sections[i].text)))
            byText << i;
    }
    return byTitle + byText;
}

} // namespace helpsearch
