#pragma once

#include <QString>
#include <QStringList>

// File-name patterns of the image viewer: one or more wildcard masks separated by ";".
namespace viewer {

// The entries of the pattern box, in the order they are offered.
QStringList patternEntries();
// What the pattern box shows on opening, and what the file list filters with then: the two
// differ until the person picks or types a pattern.
QString initialPatternText();
QString initialFilePattern();

// The masks of a pattern, blanks around each one dropped, empty ones left out.
QStringList patternMasks(const QString& pattern);
// True when the name matches one of the masks, without regard to case.
bool matchesPattern(const QString& fileName, const QString& pattern);
// The names of the folder's visible files that match, in natural order (img2 before img10).
QStringList matchingFiles(const QString& folder, const QString& pattern);

} // namespace viewer
