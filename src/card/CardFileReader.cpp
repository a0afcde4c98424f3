#include "card/CardFileReader.h"

#include "app/SharedProcedures.h"
#include "app/Windows1252.h"
#include "card/CardFileCursor.h"
#include "card/CardFileFields.h"
#include "platform/PictureLoader.h"

#include <QFile>

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
        return trimSpaces(block.mid(1, block.size() - 4));
    }

    void readZone(int n) {
        TextZone& zone = card_.zone(n);
        zone.Text = zoneText(n);

        // The four font fields are read and converted before any of them is applied.
        const QString fontName = item();
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

    void readLogo() {
        CardLogo& logo = card_.Logo;
        logo.Width = convert(cardfield::toDouble(item()));
        logo.Height = convert(cardfield::toDouble(item()));
        logo.Left = convert(cardfield::toDouble(item()));
        logo.Top = convert(cardfield::toDouble(item()));
        const QString path = logoPath();
        if (path == QLatin1String(NoLogo)) {
            logo.RecordedPath.clear();
            logo.Path = path;
            logo.picture = Picture();
            return;
        }
        logo.Path = path;
        logo.RecordedPath = path;
        if (!FichierExiste(path)) {
            result_.missingLogo = path;
            return;
        }
        if (const auto picture = pictures_.load(path)) {
            logo.picture = *picture;
        } else {
            // The card is sound; only its picture is not: say which file, show no picture.
            logo.picture = Picture();
            result_.undecodableLogo = path;
        }
    }

    // The path is written alone on its line: it is read whole, so that a comma in a folder
    // name does not cut it short. A quoted path is read as an item.
    QString logoPath() {
        auto path = in_.nextItemIsQuoted() ? in_.readItem() : in_.readRestOfLine();
        if (!path)
            throw NotACardFile{};
        return *path;
    }

    CardFileCursor in_;
    CardDocument& card_;
    PictureLoader& pictures_;
    CardReadResult result_;
};

std::optional<QString> fileText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return std::nullopt;
    // Read one byte more than the bound, for files whose size the system does not know.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return cp1252::decode(bytes);
}

} // namespace

CardReadResult read(const QString& path, CardDocument& card, PictureLoader& pictures) {
    if (!FichierExiste(path))
        return {CardReadResult::Status::FileMissing, {}, {}};
    try {
        const auto text = fileText(path);
        if (!text)
            throw NotACardFile{};
        return Reader(*text, card, pictures).run();
    } catch (const NotACardFile&) {
        card.Logo.Left = 5;
        card.Logo.Top = 5;
        return {CardReadResult::Status::Failed, {}, {}};
    }
}

} // namespace cardfile
