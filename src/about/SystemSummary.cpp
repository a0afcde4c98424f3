#include "about/SystemSummary.h"

#include "about/AboutText.h"
#include "platform/Environment.h"
#include "platform/Spooler.h"

QList<SummaryRow> systemSummary(const Environment& environment, Spooler& spooler) {
    QList<SummaryRow> rows;
    rows.append({QStringLiteral("Kalimo"), {QStringLiteral("version ") + about::versionNumber()}});
    rows.append({QStringLiteral("Système"), {environment.systemName()}});
    rows.append({QStringLiteral("Qt"), {QStringLiteral("version ") + QString::fromLatin1(qVersion())}});
    const QString server = spooler.serverName();
    rows.append({QStringLiteral("Serveur CUPS"), {server.isEmpty() ? QStringLiteral("inconnu") : server}});
    const QString byDefault = spooler.defaultPrinter();
    QStringList printers;
    for (const QString& name : spooler.printers())
        printers << (name == byDefault ? name + QStringLiteral(" (par défaut)") : name);
    if (printers.isEmpty())
        printers << QStringLiteral("aucune imprimante installée");
    rows.append({QStringLiteral("Imprimantes"), printers});
    QStringList fonts;
    for (const QString& family : CardFontFamilies)
        fonts << family + QStringLiteral(" → ") + environment.fontFor(family);
    rows.append({QStringLiteral("Polices"), fonts});
    return rows;
}

QString summaryText(const QList<SummaryRow>& rows) {
    QString text;
    for (const SummaryRow& row : rows)
        text += row.label + QStringLiteral(" : ") + row.values.join(QStringLiteral(", ")) + QLatin1Char('\n');
    return text;
}
