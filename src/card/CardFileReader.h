#pragma once

#include "app/CardModel.h"

#include <QString>

class PictureLoader;

// What reading a card file came to; the main window turns it into its messages.
struct CardReadResult {
    enum class Status {
        Read,        // the whole card was read
        FileMissing, // no such file: the card is untouched
        Failed       // not a card file, or one cut short: what was read before stays
    };
    Status status = Status::Read;
    // The logo file the card names when it does not exist (the card is read all the same).
    QString missingLogo;
    // The logo file the card names when it is no picture the loader takes (the card is read
    // all the same, without a logo picture).
    QString undecodableLogo;
};

namespace cardfile {

// Larger files are not card files and are refused before being read.
inline constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
// Logo values beyond this would overflow once counted in tenths of a millimetre.
inline constexpr double MaxLogoMm = 1e300;
// A zone's text, all its lines together.
inline constexpr int MaxZoneText = 65535;

// Reads the card file at path into card, field by field, loading the logo's picture
// through pictures. On a failure the logo's offsets become 5 mm, as "Nouveau" leaves them.
CardReadResult read(const QString& path, CardDocument& card, PictureLoader& pictures);
// The same on a file's bytes already in memory.
CardReadResult readBytes(const QByteArray& bytes, CardDocument& card, PictureLoader& pictures);
// Whether the card or logo file at path is there to be read.
bool logoExists(const QString& path);

} // namespace cardfile
