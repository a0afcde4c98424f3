#include "card/CardFileWriter.h"
#include "app/SharedProcedures.h"

#include "app/NumberText.h"
#include "app/Windows1252.h"
#include "card/CardFileFields.h"
#include "card/CardFileReader.h"

#include <algorithm>
#include <cmath>

namespace cardfile {
namespace {

class LineWriter {
public:
    void text(const QString& s) {
        out_ += s;
        out_ += QLatin1String("\r\n");
    }
    void quoted(const QString& s) { text(QLatin1Char('"') + s + QLatin1Char('"')); }
    void integer(qint32 value) { text(numtext::signedText(int(value)) + QLatin1Char(' ')); }
    void boolean(bool value) { text(value ? QStringLiteral("True") : QStringLiteral("False")); }
    QByteArray bytes() const { return cp1252::encode(out_); }

private:
    QString out_;
};

// Logo values keep one decimal, cut towards minus infinity; kept within what the reader
// takes, so that the file always opens again.
QString logoValue(double mm) {
    if (std::isnan(mm))
        mm = 0;
    mm = std::clamp(mm, -MaxLogoMm, MaxLogoMm);
    return numtext::signedText(std::floor(mm * 10) / 10);
}

// A logo name the system gave as bytes that are not UTF-8 is stored as those same bytes,
// each as the character the code page has for it.
QString recordedPath(const CardLogo& logo) {
    if (logo.RecordedPath.isEmpty())
        return QString::fromLatin1(NoLogo);
    QString path = logo.RecordedPath;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path.at(i).unicode();
        const bool lone = i == 0 || !path.at(i - 1).isHighSurrogate();
        if (u >= 0xDC80 && u <= 0xDCFF && lone)
            path[i] = cp1252::decode(QByteArray(1, char(u - 0xDC00))).at(0);
    }
    return path;
}

} // namespace

QByteArray toBytes(const CardDocument& card) {
    LineWriter w;
    for (int n = 1; n <= 3; ++n) {
        const TextZone& z = card.zone(n);
        const QString number = QString::number(n);
        w.text(QStringLiteral("[Titre %1]").arg(number));
        w.quoted(trimSpaces(z.Text));
        w.text(QStringLiteral("[Police %1]").arg(number));
        w.text(z.FontName);
        w.text(numtext::signedText(z.FontSize));
        w.boolean(z.FontBold);
        w.boolean(z.FontItalic);
        w.text(QStringLiteral("[Couleur %1]").arg(number));
        w.integer(colour::toSigned(z.ForeColor));
        w.text(QStringLiteral("[Alignement %1]").arg(number));
        w.integer(z.Alignment);
    }
    const CardLogo& logo = card.Logo;
    w.text(QStringLiteral("[Icone]"));
    w.text(logoValue(logo.Width));
    w.text(logoValue(logo.Height));
    w.text(logoValue(logo.Left));
    w.text(logoValue(logo.Top));
    w.text(recordedPath(logo));
    return w.bytes();
}

QStringList unencodableCharacters(const CardDocument& card) {
    QString all;
    for (const TextZone& z : card.Zones)
        all += trimSpaces(z.Text) + z.FontName;
    all += recordedPath(card.Logo);

    // Whole code points, so that a character outside the basic plane is named once.
    QStringList found;
    const QList<uint> points = all.toUcs4();
    for (uint point : points) {
        const char32_t c = char32_t(point);
        const QString one = QString::fromUcs4(&c, 1);
        if (!cp1252::unencodable(one).isEmpty() && !found.contains(one))
            found << one;
    }
    return found;
}

} // namespace cardfile
