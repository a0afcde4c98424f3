#include "app/Form1.h"
#include "editing/ZoneEditing.h"

#include "app/CardPreview.h"
#include "app/CommandLine.h"
#include "app/Module1.h"
#include "app/NumberText.h"
#include "app/SharedProcedures.h"
#include "app/ShippedData.h"
#include "card/CardChanges.h"
#include "platform/Platform.h"
#include "setup/Form2.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSessionManager>
#include <QTimer>
#include <cmath>

Form1::Form1(Module1& module, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_(module), p_(platform) {
    buildControls();
    buildLogoMenu();
    wireControls();
    buildRecentMenu();
    setUpAccess();
    setAcceptDrops(true);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &Form1::commitData, Qt::DirectConnection);
}

Form1::~Form1() {
    delete form2_.data();
}

void Form1::wireControls() {
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Label1, &ZoneLabel::clicked, this, &Form1::Label1_Click);
    connect(Label2, &ZoneLabel::clicked, this, &Form1::Label2_Click);
    connect(Label3, &ZoneLabel::clicked, this, &Form1::Label3_Click);
    connect(Picture2, &LogoBox::doubleClicked, this, &Form1::Picture2_DblClick);
    connect(Text1, &QPlainTextEdit::textChanged, this, &Form1::Text1_Change);
    // A click applies the option even when it is already checked; the program checking an
    // option only shows the zone's alignment.
    connect(Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &Form1::Option3_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Form1::Command11_Click);

    connect(Mnu_Fichier, &QMenu::aboutToShow, this, &Form1::Mnu_Fichier_Click);
    connect(Mnu_Nouveau, &QAction::triggered, this, &Form1::Mnu_Nouveau_Click);
    connect(Mnu_Ouvrir, &QAction::triggered, this, &Form1::Mnu_Ouvrir_Click);
    connect(Mnu_Enregistrer, &QAction::triggered, this, &Form1::Mnu_Enregistrer_Click);
    connect(Mnu_EnregistrerSous, &QAction::triggered, this, &Form1::Mnu_EnregistrerSous_Click);
    connect(Mnu_Imprimer, &QAction::triggered, this, &Form1::Mnu_Imprimer_Click);
    connect(Mnu_Apercu, &QAction::triggered, this, &Form1::Mnu_Apercu_Click);
    connect(Mnu_ExportPdf, &QAction::triggered, this, &Form1::Mnu_ExportPdf_Click);
    connect(Mnu_ConfigImp, &QAction::triggered, this, &Form1::Mnu_ConfigImp_Click);
    // Their marks show the printer's orientation, not the click: the action's own toggle is undone.
    connect(Mnu_ImpPort, &QAction::triggered, this, [this](bool checked) {
        Mnu_ImpPort->setChecked(!checked);
        Mnu_ImpPort_Click();
    });
    connect(Mnu_ImpPays, &QAction::triggered, this, [this](bool checked) {
        Mnu_ImpPays->setChecked(!checked);
        Mnu_ImpPays_Click();
    });
    connect(Mnu_ChargeParam, &QAction::triggered, this, &Form1::Mnu_ChargeParam_Click);
    connect(Mnu_Quitter, &QAction::triggered, this, &Form1::Mnu_Quitter_Click);
    connect(Mmu_Som_Aide, &QAction::triggered, this, &Form1::Mmu_Som_Aide_Click);
    connect(Mnu_AideIndex, &QAction::triggered, this, &Form1::Mnu_AideIndex_Click);
    connect(Mnu_APropos, &QAction::triggered, this, &Form1::Mnu_APropos_Click);
}

void Form1::installTooltips() {
    Label1->setToolTip(QStringLiteral("Cliquez ici pour éditer la zone de texte 1"));
    Label2->setToolTip(QStringLiteral("Cliquez ici pour éditer la zone de texte 2"));
    Label3->setToolTip(QStringLiteral("Cliquez ici pour éditer la zone de texte 3"));
    Picture2->setToolTip(QStringLiteral("Double clic pour charger une image"));
    Frame1->setToolTip(QStringLiteral("Aligne le texte de la zone sélectionée"));
    Command1->setToolTip(QStringLiteral("Affecte une police de caractère à la zone de texte sélectionnée"));
    Command2->setToolTip(
        QStringLiteral("Affecte une couleur à la police de caractère à la zone de texte sélectionnée"));
    Command3->setToolTip(QStringLiteral("Charge une image"));
    Command6->setToolTip(QStringLiteral("Efface l'image"));
    Command10->setToolTip(QStringLiteral("Redimensionne et positionne l'image"));
    Command11->setToolTip(QStringLiteral("Colle l'image copiée en icône"));
    Command5->setToolTip(QStringLiteral("Lance la feuille du paramétrage d'impression"));
    Command9->setToolTip(QStringLiteral("Exécute la visionneuse"));
    Command7->setToolTip(QStringLiteral("Exécute l'aide de Kalimo"));
    Command4->setToolTip(QStringLiteral("Quitte le programme"));
}

void Form1::Form_Load() {
    // 1. Zone 1 opaque in the window background, the two others transparent.
    highlightZone(1, colour::WindowBackground);
    // 2.
    installTooltips();
    // 3. The printer's orientation, read from the spooler.
    refreshOrientationDisplay(true);

    const QString argument = p_.environment->commandArgument();
    const QString defaultLayoutCaption =
        QStringLiteral("Paramétrage de l'impression ") + QString::fromLatin1(BuiltInLayoutName);
    // The logo's size is the preview box's, cut to two decimals (11.11 mm for 630 twips).
    // Taken before any card is read, so that a card that cannot be read leaves the size
    // the screen shows rather than none.
    const QRectF box = m_.card.Logo.boxTwips;
    m_.card.Logo.Width = std::floor(box.width() / TwipsPerMm * 100) / 100;
    m_.card.Logo.Height = std::floor(box.height() / TwipsPerMm * 100) / 100;
    if (!argument.isEmpty()) {
        // 4. With a card on the command line.
        const QString path = cardPathFromArgument(argument, p_.environment->currentFolder());
        m_.card.FilePath = path;
        OpenFile(path);
        setEditorText(m_.card.zone(1).Text);
        setStatusFileName(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toUpper());
        Label4->setText(zoneediting::editorCaption(m_.SelectedZone));
        CentrerFeuille(*this, *p_.environment);
        m_.SelectedZone = 1;
        m_.layout = PrintLayout::builtIn();
        setForm2Caption(defaultLayoutCaption);
        highlightZone(1, colour::WindowBackground);
        Frame1->setTitle(zoneediting::frameCaption(1));
        Label4->setText(zoneediting::editorCaption(1));
    } else {
        // 5. Without one.
        CentrerFeuille(*this, *p_.environment);
        m_.SelectedZone = 1;
        if (!m_.parameterFile.fileLoaded) {
            m_.layout = PrintLayout::builtIn();
            setForm2Caption(defaultLayoutCaption);
        }
        setEditorText(QString());
        setStatusFileName(QStringLiteral("SANS NOM"));
        highlightZone(1, colour::Silver);
        Frame1->setTitle(zoneediting::frameCaption(1));
        Label4->setText(zoneediting::editorCaption(1));
    }
    Panel2->setText(QLocale(QLocale::French).toString(p_.environment->currentDate(), QLocale::ShortFormat));
    // The card as it stands now is the one nothing is lost from; a card read from the
    // command line was marked when it was read.
    if (m_.card.CleanContent.isEmpty())
        cardchanges::markClean(m_.card);
    refreshPreview();
    // Typing goes into the selected zone from the start.
    Text1->setFocus();
    Timer1->start();
}

void Form1::Timer1_Timer() {
    Panel3->setText(p_.environment->currentTime().toString(QStringLiteral("HH:mm:ss")));
    // The date panel follows the clock across midnight.
    Panel2->setText(QLocale(QLocale::French).toString(p_.environment->currentDate(), QLocale::ShortFormat));
}

void Form1::Toolbar1_ButtonClick(int position) {
    switch (position) {
    case 1:
        Mnu_Nouveau_Click();
        break;
    case 2:
        Mnu_Ouvrir_Click();
        break;
    case 3:
        Mnu_Enregistrer_Click();
        break;
    case 4:
        Mnu_EnregistrerSous_Click();
        break;
    case 5:
        Mnu_Imprimer_Click();
        break;
    case 7:
        Command1_Click();
        break;
    case 8:
        Command2_Click();
        break;
    case 9:
        Command3_Click();
        break;
    case 11:
        Command9_Click();
        break;
    case 13:
        Mmu_Som_Aide_Click();
        break;
    case 14:
        Mnu_APropos_Click();
        break;
    case 16:
        Mnu_Quitter_Click();
        break;
    default:
        break; // separators
    }
}

QString Form1::helpFilePath() const {
    return shippedHelpFile(p_.environment->programFolder());
}

void Form1::Mmu_Som_Aide_Click() {
    p_.help->show(helpFilePath(), HelpCommand::Contents);
}
void Form1::Mnu_AideIndex_Click() {
    p_.help->show(helpFilePath(), HelpCommand::PartialKey);
}
void Form1::Command7_Click() {
    Mmu_Som_Aide_Click();
}

void Form1::refreshZone(int n) {
    ZoneLabel* labels[3] = {Label1, Label2, Label3};
    labels[n - 1]->showZone(m_.card.zone(n));
    if (n == m_.SelectedZone)
        showAlignment();
    Picture1->refresh();
    noteCardChange();
}

void Form1::placeLogoBox() {
    Picture1->refresh();
    noteCardChange();
}

void Form1::refreshPreview() {
    for (int n = 1; n <= 3; ++n)
        refreshZone(n);
    placeLogoBox();
    Picture2->setPicture(m_.card.Logo.picture);
}

void Form1::highlightZone(int n, quint32 backColour) {
    ZoneLabel* labels[3] = {Label1, Label2, Label3};
    for (int i = 1; i <= 3; ++i)
        labels[i - 1]->setHighlight(i == n, i == n ? backColour : labels[i - 1]->backColour());
}

void Form1::setStatusFileName(const QString& text) {
    Panel1->setText(text);
}
QString Form1::statusFileName() const {
    return Panel1->text();
}

void Form1::setEditorText(const QString& crlfText) {
    QString text = crlfText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Text1->setPlainText(text);
}

QString Form1::editorText() const {
    QString text = Text1->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

Form2& Form1::form2() {
    if (!form2_) {
        form2_ = new Form2(m_, p_, *this);
        // The card's size may have changed there.
        connect(form2_, &QDialog::finished, Picture1, &CardView::refresh);
    }
    return *form2_;
}

void Form1::setForm2Caption(const QString& caption) {
    form2().setWindowTitle(caption);
}

int Form1::printerOrientation() {
    const auto defaults = p_.spooler->storedDefaults(p_.spooler->currentPrinter());
    return defaults ? defaults->orientation : 0;
}

void Form1::refreshOrientationDisplay(bool label) {
    // No printer, or a spooler out of reach: the label and the marks stay as they are.
    const int orientation = printerOrientation();
    if (orientation == 0)
        return;
    if (orientation == 1 && label)
        Label6->setText(QStringLiteral("En cours : Portrait"));
    Mnu_ImpPort->setChecked(orientation == 1);
    if (orientation == 2 && label)
        Label6->setText(QStringLiteral("En cours : Paysage"));
    Mnu_ImpPays->setChecked(orientation == 2);
}
