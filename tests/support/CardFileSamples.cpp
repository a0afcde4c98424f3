#include "CardFileSamples.h"

#include "app/Windows1252.h"

#include <QFile>

namespace samples {

QByteArray crlf(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines)
        out += cp1252::encode(line) + "\r\n";
    return out;
}

QByteArray newCardFile() {
    QStringList lines;
    for (int n = 1; n <= 3; ++n) {
        const QString z = QString::number(n);
        lines << "[Titre " + z + "]"
              << "\"\""
              << "[Police " + z + "]"
              << "arial"
              << " 8"
              << "False"
              << "False"
              << "[Couleur " + z + "]"
              << " 0 "
              << "[Alignement " + z + "]"
              << " 0 ";
    }
    lines << "[Icone]"
          << " 11.1"
          << " 11.1"
          << " 5"
          << " 5"
          << "AUCUN";
    return crlf(lines);
}

CardDocument fullCard(const QString& logoPath) {
    CardDocument card;
    TextZone& z1 = card.zone(1);
    z1.Text = QStringLiteral("  Société \"Kalimo\"\r\nJean Dupont  ");
    z1.FontName = QStringLiteral("Times New Roman");
    z1.FontSize = 12.0f;
    z1.FontBold = true;
    z1.ForeColor = 255;
    z1.Alignment = 2;
    TextZone& z2 = card.zone(2);
    z2.Text = QStringLiteral("Nom\r\nFonction");
    z2.FontSize = 8.25f;
    z2.FontItalic = true;
    z2.ForeColor = colour::WindowText;
    z2.Alignment = 1;
    TextZone& z3 = card.zone(3);
    z3.Text = QStringLiteral("Tél. 01 23 45 67 89");
    z3.FontName = QStringLiteral("Courier New");
    z3.FontSize = 10.5f;
    z3.FontBold = true;
    z3.FontItalic = true;
    z3.ForeColor = colour::fromRgb(0x12, 0x34, 0x56);
    card.Logo.Width = 11.19;
    card.Logo.Height = 20;
    card.Logo.Left = 0.55;
    card.Logo.Top = 3.25;
    card.Logo.Path = logoPath;
    card.Logo.RecordedPath = logoPath;
    return card;
}

QByteArray fullCardFile(const QString& logoPath) {
    return crlf({"[Titre 1]",
                 "\"Société \"Kalimo\"",
                 "Jean Dupont\"",
                 "[Police 1]",
                 "Times New Roman",
                 " 12",
                 "True",
                 "False",
                 "[Couleur 1]",
                 " 255 ",
                 "[Alignement 1]",
                 " 2 ",
                 "[Titre 2]",
                 "\"Nom",
                 "Fonction\"",
                 "[Police 2]",
                 "Arial",
                 " 8.25",
                 "False",
                 "True",
                 "[Couleur 2]",
                 "-2147483640 ",
                 "[Alignement 2]",
                 " 1 ",
                 "[Titre 3]",
                 "\"Tél. 01 23 45 67 89\"",
                 "[Police 3]",
                 "Courier New",
                 " 10.5",
                 "True",
                 "True",
                 "[Couleur 3]",
                 " 5649426 ",
                 "[Alignement 3]",
                 " 0 ",
                 "[Icone]",
                 " 11.1",
                 " 20",
                 " .5",
                 " 3.2",
                 logoPath});
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace samples
