#pragma once

#include "app/CardModel.h"
#include "app/Windows1252.h"

#include <QFile>

// Card files and cards shared by the card tests.
namespace samples {

// Lines separated by "\n", in Windows-1252 with CR LF after each, as the card file holds them.
inline QByteArray crlf(const QString& lines) {
    return cp1252::encode(lines + "\n").replace("\n", "\r\n");
}

// The 39 lines a card gives right after "Nouveau".
inline QByteArray newCardFile() {
    QString lines;
    for (int z = 1; z <= 3; ++z)
        lines += QStringLiteral("[Titre %1]\n\"\"\n[Police %1]\narial\n 8\nFalse\nFalse\n"
                                "[Couleur %1]\n 0 \n[Alignement %1]\n 0 \n")
                     .arg(z);
    return crlf(lines + "[Icone]\n 11.1\n 11.1\n 5\n 5\nAUCUN");
}

// A card with every kind of value (quotes, float sizes, RGB and system colours, the three alignments, a
// logo path), and its file.
inline CardDocument fullCard(const QString& logoPath) {
    CardDocument card;
    card.zone(1) = {
        "  Société \"Kalimo\"\r\nJean Dupont  ", "Times New Roman", 12.0f, true, false, false, false, 255, 2};
    card.zone(2) = {"Nom\r\nFonction", "Arial", 8.25f, false, true, false, false, colour::WindowText, 1};
    card.zone(3) = {"Tél. 01 23 45 67 89",
                    "Courier New",
                    10.5f,
                    true,
                    true,
                    false,
                    false,
                    colour::fromRgb(0x12, 0x34, 0x56),
                    0};
    card.Logo = {logoPath, logoPath, 11.19, 20, 0.55, 3.25, Picture(), card.Logo.boxTwips};
    return card;
}
inline QByteArray fullCardFile(const QString& logoPath) {
    return crlf(QStringLiteral(
                    "[Titre 1]\n\"Société \"Kalimo\"\nJean Dupont\"\n[Police 1]\nTimes New Roman\n 12\n"
                    "True\nFalse\n[Couleur 1]\n 255 \n[Alignement 1]\n 2 \n[Titre 2]\n\"Nom\nFonction\"\n"
                    "[Police 2]\nArial\n 8.25\nFalse\nTrue\n[Couleur 2]\n-2147483640 \n[Alignement 2]\n 1 \n"
                    "[Titre 3]\n\"Tél. 01 23 45 67 89\"\n[Police 3]\nCourier New\n 10.5\nTrue\nTrue\n"
                    "[Couleur 3]\n 5649426 \n[Alignement 3]\n 0 \n[Icone]\n 11.1\n 20\n .5\n 3.2\n") +
                logoPath);
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace samples
