#include "card/CardFileReader.h"

#include "app/SharedProcedures.h"
#include "app/Windows1252.h"
#include "card/CardFileCursor.h"
#include "card/CardFileFields.h"
#include "platform/BoundedRead.h"
#include "platform/FileNames.h"
#include "platform/PictureLoader.h"

#include <cmath>

namespace cardfile {
namespace {

// Thrown inside the reader only: every kind of bad content ends the same way.
struct NotACardFile {};

class Reader {
public:
    Reader(QString text, CardDocument& card, PictureLoader& pictures)
        : in_(std::move(text)), card_(card), pictures_(pictures) {}

    CardReadResult run() {
        item(); // the first title header
        for (int n = 1; n <= 3; ++n)
            readZone(n);
        readLogo();
        return result_;
    }

private:
    QString item() {
        auto field = in_.readItem();
        if (!field)
            throw NotACardFile{};
        return *field;
    }

    template <typename T> T convert(const std::optional<T>& value) {
        if (!value)
            throw NotACardFile{};
        return *value;
    }

    // The quoted text spans every line up to the zone's font header.
    QString zoneText(int n) {
        const QString fontHeader = QStringLiteral("[Police %1]").arg(n);
        QString block;
        for (;;) {
            const auto line = in_.readLine();
            if (!line)
                throw NotACardFile{};
            if (*line == fontHeader)
                break;
            block += *line + QLatin1String("\r\n");
            if (block.size() > MaxZoneText + 3)
                throw NotACardFile{};
        }
        // The opening quote, then the closing quote with its line end.
        if (block.size() < 4)
            throw NotACardFile{};
        const QString text = trimSpaces(block.mid(1, block.size() - 4));
        // Without its closing quote the block keeps a broken line end, which the file
        // cannot hold as it is.
        if (!onlyWholeLineEnds(text))
            throw NotACardFile{};
        return text;
    }

    static bool onlyWholeLineEnds(const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool cr = text.at(i) == QLatin1Char('\r');
            const bool lf = text.at(i) == QLatin1Char('\n');
            if (cr && (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('\n')))
                return false;
            if (lf && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
                return false;
        }
        return true;
    }

    void readZone(int n) {
        TextZone& zone = card_.zone(n);
        zone.Text = zoneText(n);

        // The four font fields are read and converted before any of them is applied.
        const QString fontName = lineValue(item());
        if (fontName.contains(QLatin1Char(',')))
            throw NotACardFile{};
        const float size = convert(cardfield::toSingle(item()));
        const bool bold = convert(cardfield::toBoolean(item()));
        const bool italic = convert(cardfield::toBoolean(item()));
        zone.FontName = fontName;
        zone.FontSize = acceptedSize(size);
        zone.FontBold = bold;
        zone.FontItalic = italic;

        item(); // colour header
        zone.ForeColor = colour::fromSigned(convert(cardfield::toLong(item())));

        item(); // alignment header
        const qint16 alignment = convert(cardfield::toInteger(item()));
        if (alignment < 0 || alignment > 2)
            throw NotACardFile{};
        zone.Alignment = alignment;

        item(); // the next title header, or the logo's
    }

    // A zone box takes sizes above 0 and up to 2160 points.
    static float acceptedSize(float size) {
        if (!(size > 0.0f && size <= 2160.0f))
            throw NotACardFile{};
        return size;
    }

    // The writer keeps tenths of a millimetre: a value whose tenths overflow would be
    // written as a word no reader takes.
    double logoValue() {
        const double mm = convert(cardfield::toDouble(item()));
        if (!(std::fabs(mm) <= MaxLogoMm))
            throw NotACardFile{};
        return mm;
    }

    void readLogo() {
        CardLogo& logo = card_.Logo;
        logo.Width = logoValue();
        logo.Height = logoValue();
        logo.Left = logoValue();
        logo.Top = logoValue();
        const QString path = logoPath();
        if (path == QLatin1String(NoLogo)) {
            logo.RecordedPath.clear();
            logo.Path = path;
            logo.picture = Picture();
            return;
        }
        // A reserved word like "AUCUN": the card's contact code, even beside a file of that name.
        if (path == QLatin1String(ContactCodeLogo)) {
            logo.Path = path;
            logo.RecordedPath = path;
            logo.picture = Picture();
            return;
        }
        const QString name = logoName(path);
        logo.Path = name;
        logo.RecordedPath = name;
        if (!logoExists(name)) {
            result_.missingLogo = name;
            return;
        }
        if (const auto picture = pictures_.load(name)) {
            logo.picture = *picture;
        } else {
            // The card is sound; only its picture is not: say which file, show no picture.
            logo.picture = Picture();
            result_.undecodableLogo = name;
        }
    }

    // The name as read, or, when no such file exists, the file's own bytes as the name: a
    // card saved with a name from an older disk, not UTF-8.
    static QString logoName(const QString& path) {
        if (logoExists(path))
            return path;
        const QString asStored = filename::fromBytes(cp1252::encode(path));
        return logoExists(asStored) ? asStored : path;
    }

    // The path is written alone on its line: it is read whole, so that a comma in a folder
    // name does not cut it short. A quoted path is read as an item.
    QString logoPath() {
        auto path = in_.nextItemIsQuoted() ? in_.readItem() : in_.readRestOfLine();
        if (!path)
            throw NotACardFile{};
        return lineValue(*path);
    }

    // A quoted field may hold what the writer's bare line would lose: blanks at its ends,
    // or, for the font name, a comma. Such a card would not open again once saved.
    QString lineValue(const QString& value) {
        const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
        if (!value.isEmpty() && (blank(value.front()) || value.back() == QLatin1Char(' ')))
            throw NotACardFile{};
        return value;
    }

    CardFileCursor in_;
    CardDocument& card_;
    PictureLoader& pictures_;
    CardReadResult result_;
};

CardReadResult readText(const std::optional<QByteArray>& bytes, CardDocument& card, PictureLoader& pictures) {
    try {
        if (!bytes)
            throw NotACardFile{};
        return Reader(cp1252::decode(*bytes), card, pictures).run();
    } catch (const NotACardFile&) {
        card.Logo.Left = 5;
        card.Logo.Top = 5;
        return {CardReadResult::Status::Failed, {}, {}};
    }
}

} // namespace

// The exact name only: a name read from a file is never taken as a pattern, whose matching
// against a folder of long names could take for ever.
bool logoExists(const QString& path) {
    return boundedread::isOrdinaryFile(path);
}

CardReadResult read(const QString& path, CardDocument& card, PictureLoader& pictures) {
    if (!logoExists(path))
        return {CardReadResult::Status::FileMissing, {}, {}};
    return readText(boundedread::readFile(path, MaxFileBytes).bytes, card, pictures);
}

CardReadResult readBytes(const QByteArray& bytes, CardDocument& card, PictureLoader& pictures) {
    return readText(bytes, card, pictures);
}

} // namespace cardfile
