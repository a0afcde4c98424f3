#include "qrcode/ContactCodeDialog.h"

#include "app/Access.h"
#include "app/CardModel.h"
#include "qrcode/ContactCode.h"
#include "qrcode/ContactCodeWarnings.h"
#include "qrcode/ContactDetails.h"
#include "qrcode/ContactSummary.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* wrapped(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

ContactCodeDialog::ContactCodeDialog(const CardDocument& card, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ContactCodeDialog"));
    setWindowTitle(QStringLiteral("Code QR de contact"));
    setAccessibleName(QStringLiteral("Code QR de contact"));
    auto* layout = new QVBoxLayout(this);

    const bool shown = showsContactCode(card.Logo);
    layout->addWidget(wrapped(
        (shown ? QStringLiteral("Le logo de la carte est son code QR de contact. ")
               : QStringLiteral("Le code QR de contact prend la place du logo. ")) +
            QStringLiteral("Il reprend le texte de la carte au moment de l'impression : le nom vient de la "
                           "première ligne de la zone 1, la fonction et l'organisation de la zone 2, les "
                           "téléphones, e-mails et sites de la zone 3. Pour changer ce qu'il contient, "
                           "modifiez le texte de la carte."),
        "Explication", this));

    auto* fields = new QGroupBox(QStringLiteral("Ce que le code contiendra"), this);
    fields->setObjectName(QStringLiteral("Champs"));
    auto* form = new QFormLayout(fields);
    const QList<SummaryRow> rows = summaryRows(contactDetailsOf(card));
    for (int i = 0; i < rows.size(); ++i) {
        auto* value = new QLabel(rows[i].value, fields);
        value->setObjectName(QStringLiteral("Champ%1").arg(i + 1));
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        access::describe(value, rows[i].label.chopped(2) + QStringLiteral(" : ") + rows[i].value,
                         rows[i].label == QStringLiteral("Non repris :")
                             ? QStringLiteral("Une ligne de la carte que le code ne contient pas")
                             : QStringLiteral("Ce que le code contiendra, lu dans le texte de la carte"));
        form->addRow(rows[i].label, value);
    }
    layout->addWidget(fields);

    // Size and warnings as the card would have them with the code in its logo's place.
    CardDocument withCode = card;
    useContactCode(withCode.Logo);
    layout->addWidget(
        wrapped(codeDescription(withCode) + QStringLiteral(" Sa taille et sa place sont celles du logo : "
                                                           "« Redimensionner » les règle."),
                "Taille", this));
    const QStringList warnings = codewarning::forCard(withCode);
    QLabel* warning = wrapped(warnings.join(QLatin1Char('\n')), "Avertissement", this);
    warning->setStyleSheet(QStringLiteral("color: #b00000;"));
    warning->setVisible(!warnings.isEmpty());
    layout->addWidget(warning);

    auto* buttons = new QDialogButtonBox(this);
    place_ = buttons->addButton(QStringLiteral("&Placer sur la carte"), QDialogButtonBox::AcceptRole);
    place_->setObjectName(QStringLiteral("Placer"));
    access::describe(place_, QStringLiteral("Placer le code sur la carte"),
                     QStringLiteral("Met le code QR de contact à la place du logo"));
    place_->setDefault(true);
    cancel_ = buttons->addButton(QStringLiteral("&Annuler"), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("Annuler"));
    access::describe(cancel_, QStringLiteral("Annuler"),
                     QStringLiteral("Ferme la fenêtre sans changer la carte"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}
