#include "setup/Form2.h"

#include "app/CardPreview.h"
#include "app/Colour.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "app/NumberText.h"
#include "app/SharedProcedures.h"
#include "platform/Platform.h"
#include "setup/FilteredEdit.h"
#include "setup/IconAboveButton.h"
#include "setup/ParameterCommands.h"
#include "setup/SetupTexts.h"
#include "setup/SheetPicture.h"

#include "app/Controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

using controls::label;
using controls::make;
using controls::twips;

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* b = controls::button(parent, name, caption, twips(120, top, 2055, 495));
    // Enter in a box must not press a button: only a click or the button's own key does.
    b->setAutoDefault(false);
    return b;
}

} // namespace

Form2::Form2(Module1& module, Platform& platform, Form1& main)
    : QDialog(&main), m_(module), p_(platform), main_(main) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setFixedSize(6840 / 15, 6930 / 15);
    buildControls();
    wireControls();
    setUpAccess();
    Form_Load();
}

Form2::~Form2() = default;

void Form2::buildControls() {
    // A narrow face at a small size, so that the long captions fit their boxes as laid out.
    QFont small(QStringLiteral("Liberation Sans"));
    small.setStyleHint(QFont::SansSerif);
    small.setPointSizeF(8);
    setFont(small);

    Label13 =
        label(this, "Label13", QStringLiteral("Nombre de cartes identiques"), twips(120, 120, 2055, 255));
    QFont smaller = small;
    smaller.setPointSizeF(7.5); // the whole caption within its box
    Label13->setFont(smaller);
    Label14 = label(this, "Label14", QStringLiteral("( Maximum 10 )......:"), twips(120, 360, 1455, 255));
    Text7 = new FilteredEdit(setup::CountKeys, setup::CountLength, this);
    Text7->setObjectName(QStringLiteral("Text7"));
    Text7->setGeometry(twips(1680, 360, 495, 285));
    QPalette yellow = Text7->palette();
    yellow.setColor(QPalette::Base, colour::resolve(0xC0FFFF, yellow));
    Text7->setPalette(yellow);
    Label11 = label(this, "Label11", QStringLiteral("Cliquez sur la carte que vous désirez imprimer"),
                    twips(0, 120, 2055, 735));
    Label11->setWordWrap(true);
    Label11->setAlignment(Qt::AlignCenter);

    Frame2 = controls::captioned<QGroupBox>(this, "Frame2", QStringLiteral("Option d'impression"),
                                            twips(120, 960, 2055, 975));
    Option1 = controls::captioned<QRadioButton>(Frame2, "Option1", QStringLiteral("10 Cartes identiques"),
                                                twips(120, 240, 1815, 255));
    Option2 = controls::captioned<QRadioButton>(Frame2, "Option2", QStringLiteral("Carte sélectionnée"),
                                                twips(120, 600, 1695, 255));

    Check1 = controls::captioned<QCheckBox>(this, "Check1", QStringLiteral("Imprimer cadre"),
                                            twips(240, 2160, 1935, 255));
    Check2 = controls::captioned<QCheckBox>(this, "Check2", QStringLiteral("Imprimer découpe"),
                                            twips(240, 2520, 1935, 255));

    Command5 = button(this, "Command5", QStringLiteral("&Charger des paramètres"), 3000);
    Command4 = button(this, "Command4", QStringLiteral("&Sauver les paramètres"), 3600);
    Command3 = button(this, "Command3", QStringLiteral("Paramètres à &Défaut"), 4200);
    Command6 = button(this, "Command6", QStringLiteral("Configurer l'imprimante"), 4800);
    Command2 = button(this, "Command2", QStringLiteral("&Annuler - Fermer"), 5400);
    Command1 = make<IconAboveButton>(this, "Command1", twips(120, 6000, 2055, 855));
    Command1->setAutoDefault(false);
    Command1->setIcon(controls::themeIcon("document-print", "imprimer"));
    Command1->setIconSize(QSize(24, 24));

    Frame1 = new SheetPicture(this);
    Frame1->setGeometry(twips(2280, 120, 4335, 6615));
    Label = Frame1->positions;
    Text = Frame1->measures;
}

void Form2::wireControls() {
    connect(Option1, &QRadioButton::clicked, this, &Form2::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form2::Option2_Click);
    for (int n = 1; n <= 10; ++n)
        connect(Label[n - 1], &PositionBox::clicked, this, [this, n] { Label_Click(n); });
    for (int box = 1; box <= 6; ++box)
        connect(Text[box - 1], &QLineEdit::textChanged, this, [this, box] { Text_Change(box); });
    connect(Frame1, &SheetPicture::lockedPositionClicked, this, [this] {
        p_.messages->show(
            {setup::positionsLockedHint(), windowTitle(), MsgButtons::Ok, MsgIcon::Information, 1});
    });
    connect(Text7, &QLineEdit::textChanged, this, &Form2::Text7_Change);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form2::Command6_Click);
}

void Form2::Form_Load() {
    // 1.
    CentrerFeuille(*this, *p_.environment);
    // 2.
    for (PositionBox* box : Label)
        box->setToolTip(QStringLiteral("Cliquez pour sélectionner"));
    static const char* const tips[6] = {"Marge gauche",        "Séparateur horizontal",
                                        "Marge haute",         "Séparateur vertical",
                                        "Largeur de la carte", "Hauteur de la carte"};
    for (int box = 1; box <= 6; ++box)
        Text[box - 1]->setToolTip(QString::fromUtf8(tips[box - 1]));
    // 3.
    m_.request.position = 0;
    main_.Frame2->hide();
    // 4.
    Option1->setChecked(true);
    Option2->setChecked(false);
    m_.request.mode = 1;
    Label11->hide();
    // 5.
    Command1->setText(setup::printCardsCaption(m_.layout.cardCount));
    // 6. Runs the card-count rule.
    Text7->setProgramText(QString::number(m_.layout.cardCount));
    // 7.
    Command1->setEnabled(true);
    CacheLabel();
    // 8.
    setWindowTitle(setup::dialogCaption(setup::creationSetName(m_.parameterFile)));
    // 9.
    showFlags();
    // 10.
    showMeasures(false);
    // 11.
    if (m_.layout.cardCount == 0)
        Command1->setEnabled(false);
}

void Form2::CacheLabel() {
    // Greyed, and their tip says how to make them answer.
    for (PositionBox* box : Label) {
        box->setEnabled(false);
        box->setToolTip(setup::positionsLockedHint());
    }
}

void Form2::LabelVisible() {
    for (PositionBox* box : Label) {
        box->setEnabled(true);
        box->setToolTip(QStringLiteral("Cliquez pour sélectionner"));
    }
    Command1->setText(setup::printPositionCaption(m_.request.position));
    if (m_.request.position != 0)
        Command1->setEnabled(true);
}

void Form2::showMeasures(bool signBlank) {
    const auto text = [signBlank](double v) {
        return signBlank ? numtext::signedText(v) : numtext::plainText(v);
    };
    // Each write runs the box's change rule, which stores the same value back.
    for (int box : {1, 3, 4, 2, 5, 6})
        Text[box - 1]->setProgramText(text(setup::measureOfBox(m_.layout, box)));
}

void Form2::showFlags() {
    Check1->setChecked(m_.layout.printFrame);
    Check2->setChecked(m_.layout.printCutMarks);
}

void Form2::takeFlags() {
    m_.layout.printFrame = Check1->isChecked();
    m_.layout.printCutMarks = Check2->isChecked();
}

void Form2::takeMeasures() {
    for (int box = 1; box <= 6; ++box)
        setup::measureOfBox(m_.layout, box) = setup::measureValue(Text[box - 1]->text());
}

void Form2::restoreBuiltIn() {
    PrintLayout builtIn = PrintLayout::builtIn();
    // 1.
    for (int box : {1, 3, 4, 2, 5, 6})
        setup::measureOfBox(m_.layout, box) = setup::measureOfBox(builtIn, box);
    m_.layout.cardCount = builtIn.cardCount;
    // 2.
    Option1->setText(setup::identicalCardsCaption(builtIn.cardCount));
    Command1->setText(setup::printCardsCaption(builtIn.cardCount));
    Text7->setProgramText(QString::number(builtIn.cardCount));
    // 3.
    showMeasures(false);
    // 4.
    m_.layout.printFrame = true;
    m_.layout.printCutMarks = true;
    showFlags();
    // 5.
    setWindowTitle(setup::dialogCaption(QString::fromLatin1(BuiltInLayoutName)));
    // In single-card mode the print button goes on naming the chosen card, not a page.
    if (m_.request.mode == 0) {
        LabelVisible();
        Command1->setEnabled(m_.request.position != 0);
    }
}

void Form2::Option1_Click() {
    Command1->setText(setup::printCardsCaption(m_.layout.cardCount));
    Command1->setEnabled(true);
    Option1->setChecked(true);
    Option2->setChecked(false);
    Label11->hide();
    Text7->show();
    Label13->show();
    Label14->show();
    m_.request.mode = 1;
    if (m_.layout.cardCount == 0)
        Command1->setEnabled(false);
    CacheLabel();
}

void Form2::Option2_Click() {
    Label11->show();
    Command1->setEnabled(false);
    Option2->setChecked(true);
    Command1->setText(QStringLiteral("&Imprimer la carte N° "));
    Option1->setChecked(false);
    Text7->hide();
    Label13->hide();
    Label14->hide();
    m_.request.mode = 0;
    LabelVisible();
}

void Form2::Label_Click(int n) {
    m_.request.position = static_cast<qint16>(n);
    Command1->setEnabled(true);
    Command1->setText(setup::printPositionCaption(n));
    for (int i = 1; i <= 10; ++i)
        Label[i - 1]->setBackground(colour::resolve(i == n ? 0xFFFFC0 : 0xFFFFFF, palette()));
    // Taken now: a later change of the layout does not move the chosen card.
    const QPointF origin = SheetPosition::origin(m_.layout, n);
    m_.cardOrigin.X = origin.x();
    m_.cardOrigin.Y = origin.y();
}

void Form2::Text_Change(int box) {
    setup::measureOfBox(m_.layout, box) = setup::measureValue(Text[box - 1]->text());
}

void Form2::Text7_Change() {
    const setup::CardCount read = setup::readCardCount(Text7->text());
    m_.layout.cardCount = read.count;
    if (!read.message.isEmpty()) {
        p_.messages->error(read.message);
        // Runs this rule again with the forced count.
        Text7->setProgramText(read.forcedText);
    }
    Command1->setEnabled(m_.layout.cardCount != 0);
    Option1->setText(setup::identicalCardsCaption(m_.layout.cardCount));
    Command1->setText(setup::printCardsCaption(m_.layout.cardCount));
}

void Form2::Command1_Click() {
    // No zone of the card stays highlighted once printing is chosen.
    for (ZoneLabel* zone : {main_.Label1, main_.Label2, main_.Label3})
        zone->setHighlight(false, zone->backColour());
    takeFlags();
    close();
}

void Form2::Command2_Click() {
    takeFlags();
    close();
    m_.request.cancelled = 1;
}

void Form2::Command3_Click() {
    restoreBuiltIn();
}

void Form2::Command4_Click() {
    ParameterCommands(m_, p_, main_).save();
}

void Form2::Command5_Click() {
    ParameterCommands(m_, p_, main_).load();
}

void Form2::Command6_Click() {
    p_.dialogs->printerSetup();
}

void Form2::done(int result) {
    // Whatever closes the dialog, the check boxes are what printing uses.
    takeFlags();
    QDialog::done(result);
}

void Form2::keyPressEvent(QKeyEvent* event) {
    // Escape means "Annuler - Fermer", as its caption says.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command2_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}
