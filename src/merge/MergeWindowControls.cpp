// Builds the merge window's controls in layouts, so that it holds with any font size.
#include "app/CardPreview.h"
#include "app/Module1.h"
#include "merge/MergeWindow.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>

namespace {

template <typename W> W* named(W* w, const char* name, const QString& accessibleName) {
    w->setObjectName(QLatin1String(name));
    w->setAccessibleName(accessibleName);
    return w;
}

QPushButton* button(const char* name, const QString& caption, const QString& accessibleName) {
    return named(new QPushButton(caption), name, accessibleName);
}

} // namespace

void MergeWindow::buildControls() {
    setObjectName(QStringLiteral("Publipostage"));
    setWindowTitle(QStringLiteral("Publipostage"));
    controls = new QWidget(this);

    // The spreadsheet.
    FichierDonnees = named(new QLineEdit, "FichierDonnees", QStringLiteral("Fichier de données"));
    FichierDonnees->setReadOnly(true);
    FichierDonnees->setPlaceholderText(
        QStringLiteral("Choisissez un fichier CSV (première ligne : les noms des champs)"));
    auto* fileLabel = new QLabel(QStringLiteral("&Fichier de données :"));
    fileLabel->setBuddy(FichierDonnees);
    ChoisirFichier = button("ChoisirFichier", QStringLiteral("&Choisir..."),
                            QStringLiteral("Choisir le fichier de données"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(FichierDonnees, 1);
    fileRow->addWidget(ChoisirFichier);

    Avertissements = named(new QLabel, "Avertissements", QStringLiteral("Avertissements"));
    Avertissements->setWordWrap(true);
    Avertissements->setTextFormat(Qt::PlainText);
    Avertissements->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Avertissements->hide();

    // The rows, ticked to be printed.
    Lignes = named(new QTableWidget, "Lignes", QStringLiteral("Lignes du fichier"));
    Lignes->setSelectionBehavior(QAbstractItemView::SelectRows);
    Lignes->setSelectionMode(QAbstractItemView::SingleSelection);
    Lignes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Lignes->verticalHeader()->hide();
    Lignes->setTabKeyNavigation(false);
    auto* rowsLabel = new QLabel(QStringLiteral("&Lignes à imprimer (cochées) :"));
    rowsLabel->setBuddy(Lignes);
    ToutCocher =
        button("ToutCocher", QStringLiteral("&Tout cocher"), QStringLiteral("Cocher toutes les lignes"));
    RienCocher =
        button("RienCocher", QStringLiteral("&Rien cocher"), QStringLiteral("Décocher toutes les lignes"));
    auto* tickRow = new QHBoxLayout;
    tickRow->addWidget(ToutCocher);
    tickRow->addWidget(RienCocher);
    tickRow->addStretch(1);
    auto* rowsSide = new QWidget;
    auto* rowsLayout = new QVBoxLayout(rowsSide);
    rowsLayout->setContentsMargins(0, 0, 0, 0);
    rowsLayout->addWidget(rowsLabel);
    rowsLayout->addWidget(Lignes, 1);
    rowsLayout->addLayout(tickRow);

    // The card for the row shown.
    Apercu = new CardView(shownCard_, m_.layout);
    Apercu->setObjectName(QStringLiteral("Apercu"));
    Apercu->setAccessibleName(QStringLiteral("Carte de la ligne affichée"));
    Apercu->setMinimumSize(int(m_.layout.cardWidth * TwipsPerMm / TwipsPerPixel) + 2,
                           int(m_.layout.cardHeight * TwipsPerMm / TwipsPerPixel) + 2);
    Precedente = button("Precedente", QStringLiteral("&Précédente"), QStringLiteral("Ligne précédente"));
    Suivante = button("Suivante", QStringLiteral("&Suivante"), QStringLiteral("Ligne suivante"));
    LigneAffichee = named(new QLabel, "LigneAffichee", QStringLiteral("Ligne affichée"));
    LigneAffichee->setAlignment(Qt::AlignCenter);
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(Precedente);
    stepRow->addWidget(LigneAffichee, 1);
    stepRow->addWidget(Suivante);
    ProblemesLigne = named(new QLabel, "ProblemesLigne", QStringLiteral("Défauts de la ligne affichée"));
    ProblemesLigne->setWordWrap(true);
    ProblemesLigne->setTextFormat(Qt::PlainText);
    auto* cardSide = new QWidget;
    auto* cardLayout = new QVBoxLayout(cardSide);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    cardLayout->addWidget(Apercu, 1);
    cardLayout->addLayout(stepRow);
    cardLayout->addWidget(ProblemesLigne);

    auto* split = new QSplitter(Qt::Horizontal);
    split->setChildrenCollapsible(false);
    split->addWidget(rowsSide);
    split->addWidget(cardSide);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    // How the rows fill the sheets.
    Remplissage = named(new QGroupBox(QStringLiteral("Remplissage des feuilles")), "Remplissage",
                        QStringLiteral("Remplissage des feuilles"));
    UneParLigne = named(new QRadioButton(QStringLiteral("&Une carte par ligne, dix par feuille")),
                        "UneParLigne", QStringLiteral("Une carte par ligne, dix par feuille"));
    Position = named(new QSpinBox, "Position", QStringLiteral("Position de la première carte"));
    Position->setRange(1, 10);
    auto* positionLabel = new QLabel(QStringLiteral("première carte à la p&osition :"));
    positionLabel->setBuddy(Position);
    CopiesParLigne = named(
        new QRadioButton(QStringLiteral("&N cartes identiques par ligne, une feuille par ligne")),
        "CopiesParLigne", QStringLiteral("Plusieurs cartes identiques par ligne, une feuille par ligne"));
    Copies = named(new QSpinBox, "Copies", QStringLiteral("Nombre de cartes par ligne"));
    Copies->setRange(1, 10);
    auto* copiesLabel = new QLabel(QStringLiteral("nom&bre de cartes :"));
    copiesLabel->setBuddy(Copies);
    auto* fill = new QGridLayout(Remplissage);
    fill->addWidget(UneParLigne, 0, 0);
    fill->addWidget(positionLabel, 0, 1, Qt::AlignRight);
    fill->addWidget(Position, 0, 2);
    fill->addWidget(CopiesParLigne, 1, 0);
    fill->addWidget(copiesLabel, 1, 1, Qt::AlignRight);
    fill->addWidget(Copies, 1, 2);
    fill->setColumnStretch(0, 1);

    Imprimer =
        button("Imprimer", QStringLiteral("&Imprimer..."), QStringLiteral("Imprimer les lignes cochées"));
    ExporterPdf = button("ExporterPdf", QStringLiteral("&Exporter en PDF..."),
                         QStringLiteral("Exporter les lignes cochées en PDF"));
    Fermer = button("Fermer", QStringLiteral("Fer&mer"), QStringLiteral("Fermer le publipostage"));
    auto* actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(Imprimer);
    actions->addWidget(ExporterPdf);
    actions->addWidget(Fermer);

    auto* all = new QVBoxLayout(controls);
    all->setContentsMargins(0, 0, 0, 0);
    all->addLayout(fileRow);
    all->addWidget(Avertissements);
    all->addWidget(split, 1);
    all->addWidget(Remplissage);
    all->addLayout(actions);

    // The progress of a run and its cancel, outside what a run disables.
    Progression = named(new QProgressBar, "Progression", QStringLiteral("Progression de l'impression"));
    Progression->setFormat(QStringLiteral("%v / %m cartes"));
    Annuler = button("Annuler", QStringLiteral("&Annuler"), QStringLiteral("Annuler l'impression en cours"));
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(Progression, 1);
    progressRow->addWidget(Annuler);
    Progression->hide();
    Annuler->hide();

    auto* window = new QVBoxLayout(this);
    window->addWidget(controls, 1);
    window->addLayout(progressRow);

    // Through the window as it reads: the file, the rows, the card, the sheets, the commands.
    setTabOrder(FichierDonnees, ChoisirFichier);
    setTabOrder(ChoisirFichier, Lignes);
    setTabOrder(Lignes, ToutCocher);
    setTabOrder(ToutCocher, RienCocher);
    setTabOrder(RienCocher, Precedente);
    setTabOrder(Precedente, Suivante);
    setTabOrder(Suivante, UneParLigne);
    setTabOrder(UneParLigne, Position);
    setTabOrder(Position, CopiesParLigne);
    setTabOrder(CopiesParLigne, Copies);
    setTabOrder(Copies, Imprimer);
    setTabOrder(Imprimer, ExporterPdf);
    setTabOrder(ExporterPdf, Fermer);
    setTabOrder(Fermer, Annuler);
    Apercu->setFocusPolicy(Qt::NoFocus);
    // Roomy where the screen allows, never larger than the screen (large fonts, 2x scale).
    QSize size = sizeHint().expandedTo(QSize(900, 620));
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size()).expandedTo(minimumSizeHint());
    resize(size);
}
