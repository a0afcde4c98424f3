// Builds the main window's controls at their places (twips, 15 per pixel).
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "generated/BuildInfo.h"
#include "setup/PrintSetupMenus.h"

#include "app/Controls.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

using controls::button;
using controls::make;
using controls::twips;

} // namespace

void Form1::buildControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Création de Carte de Visite[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/resources/icons/kalimo.png")));

    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(9015 / 15, 6675 / 15);
    setCentralWidget(client);

    // The card area and its boxes.
    Picture1 = new CardView(m_.card, m_.layout, client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips(120, 720, 5175, 3135));
    Label1 = Picture1->zoneLabel(1);
    Label2 = Picture1->zoneLabel(2);
    Label3 = Picture1->zoneLabel(3);
    Picture2 = Picture1->logoBox();
    Picture1->refresh();
    // The built-in picture the logo box shows until a logo is chosen.
    if (m_.card.Logo.picture.isNull() && m_.card.Logo.Path.isEmpty())
        m_.card.Logo.picture = Picture(QImage(QStringLiteral(":/resources/images/logo-defaut.bmp")));

    Label5 = controls::captioned<QLabel>(client, "Label5", QStringLiteral("Carte de Visite"),
                                         twips(5520, 690, 3375, 330));
    QFont titleFont = Label5->font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    Label5->setFont(titleFont);
    Label5->setAlignment(Qt::AlignCenter);

    // The logo commands.
    Frame4 = controls::captioned<QGroupBox>(client, "Frame4", QStringLiteral("Logo / Icône"),
                                            twips(5520, 1080, 3375, 1335));
    Command3 = button(Frame4, "Command3", QStringLiteral("&Logo Icone"), twips(120, 300, 1515, 420));
    Command6 = button(Frame4, "Command6", QStringLiteral("Pa&s d'icone"), twips(1740, 300, 1515, 420));
    Command10 = button(Frame4, "Command10", QStringLiteral("&Redimensionner"), twips(120, 795, 1515, 420));
    Command11 = button(Frame4, "Command11", QStringLiteral("C&oller l'image"), twips(1740, 795, 1515, 420));
    Command11->setEnabled(false);

    Frame3 = controls::captioned<QGroupBox>(
        client, "Frame3", QStringLiteral("Orientation imprimante en cours"), twips(5520, 2490, 3375, 660));
    Label6 = controls::captioned<QLabel>(Frame3, "Label6", QStringLiteral("En cours : Portrait"),
                                         twips(120, 300, 3135, 285));

    Command5 = button(client, "Command5", QStringLiteral("&Imprimer..."), twips(5520, 3240, 3375, 375));
    Command9 =
        button(client, "Command9", QStringLiteral("&Visualiser les images..."), twips(5520, 3660, 3375, 375));

    // The editor of the selected zone.
    FrameTexte = controls::captioned<QGroupBox>(client, "FrameTexte", QStringLiteral("Texte"),
                                                twips(120, 3960, 5175, 2250));
    Label4 = make<QLabel>(FrameTexte, "Label4", twips(120, 270, 4935, 255));
    Text1 = make<QPlainTextEdit>(FrameTexte, "Text1", twips(120, 555, 4935, 1575));
    Text1->setTabChangesFocus(true);

    Frame1 = controls::captioned<QGroupBox>(client, "Frame1", QStringLiteral("Aligner texte 1"),
                                            twips(5520, 4140, 1635, 1170));
    Option1 = controls::captioned<QRadioButton>(Frame1, "Option1", QStringLiteral("Gauche"),
                                                twips(150, 270, 1395, 285));
    Option2 = controls::captioned<QRadioButton>(Frame1, "Option2", QStringLiteral("Droite"),
                                                twips(150, 555, 1395, 285));
    Option3 = controls::captioned<QRadioButton>(Frame1, "Option3", QStringLiteral("Centre"),
                                                twips(150, 840, 1395, 285));

    Command1 = button(client, "Command1", QStringLiteral("&Police..."), twips(7260, 4200, 1635, 450));
    Command2 = button(client, "Command2", QStringLiteral("&Couleur du texte"), twips(7260, 4740, 1635, 450));
    Command7 = button(client, "Command7", QStringLiteral("&Aide..."), twips(5520, 5460, 1635, 450));
    Command4 = button(client, "Command4", QStringLiteral("&Quitter"), twips(7260, 5460, 1635, 450));

    // The progress frame lies over the alignment options while a job runs.
    Frame2 = controls::captioned<QGroupBox>(client, "Frame2", QStringLiteral("Impression en cours"),
                                            twips(5520, 4140, 3375, 1170));
    Frame2->setAutoFillBackground(true);
    Command8 =
        button(Frame2, "Command8", QStringLiteral("A&nnuler l'impression"), twips(240, 420, 2895, 540));
    Frame2->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    buildToolbar();
    buildStatusBar();
    buildMenus();
}

void Form1::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    Mnu_Fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
    Mnu_Fichier->setObjectName(QStringLiteral("Mnu_Fichier"));
    Mnu_Nouveau = action(Mnu_Fichier, "Mnu_Nouveau", QStringLiteral("&Nouveau"));
    Mnu_Ouvrir = action(Mnu_Fichier, "Mnu_Ouvrir", QStringLiteral("&Ouvrir"));
    Mnu_Fichier->addSeparator();
    Mnu_Enregistrer = action(Mnu_Fichier, "Mnu_Enregistrer", QStringLiteral("&Enregistrer"));
    Mnu_EnregistrerSous = action(Mnu_Fichier, "Mnu_EnregistrerSous", QStringLiteral("Enregistrer &Sous..."));
    Mnu_Fichier->addSeparator();
    Mnu_Imprimer = action(Mnu_Fichier, "Mnu_Imprimer", QStringLiteral("&Imprimer"));
    Mnu_Apercu = action(Mnu_Fichier, "Mnu_Apercu", QStringLiteral("&Aperçu avant impression..."));
    Mnu_ExportPdf = action(Mnu_Fichier, "Mnu_ExportPdf", QStringLiteral("Exporter en P&DF..."));
    Mnu_ConfigImp = action(Mnu_Fichier, "Mnu_ConfigImp", QStringLiteral("&Configurer l'imprimante"));
    Mnu_ImpPort = action(Mnu_Fichier, "Mnu_ImpPort", QStringLiteral("Imprimante en mode &Portrait"));
    Mnu_ImpPort->setCheckable(true);
    Mnu_ImpPays = action(Mnu_Fichier, "Mnu_ImpPays", QStringLiteral("Imprimante en mode Pa&ysage"));
    Mnu_ImpPays->setCheckable(true);
    Mnu_Fichier->addSeparator();
    Mnu_ChargeParam = action(Mnu_Fichier, "Mnu_ChargeParam", QStringLiteral("C&harger des paramètres"));
    addPrintSetupMenus(*this, Mnu_Fichier);
    Mnu_Fichier->addSeparator();
    Mnu_Quitter = action(Mnu_Fichier, "Mnu_Quitter", QStringLiteral("&Quitter"));

    Mnu_Aide = menuBar()->addMenu(QStringLiteral("?"));
    Mnu_Aide->setObjectName(QStringLiteral("Mnu_Aide"));
    Mmu_Som_Aide = action(Mnu_Aide, "Mmu_Som_Aide", QStringLiteral("&Sommaire de l'aide"));
    Mnu_AideIndex = action(Mnu_Aide, "Mnu_AideIndex", QStringLiteral("&Rechercher dans l'aide"));
    Mnu_Aide->addSeparator();
    Mnu_APropos = action(Mnu_Aide, "Mnu_APropos", QStringLiteral("&A propos"));
}

void Form1::buildToolbar() {
    Toolbar1 = new QToolBar(client);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setGeometry(0, 0, 9015 / 15, 600 / 15);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setMovable(false);
    struct Button {
        const char* tip;
        const char* theme;
        const char* bundled;
    };
    // Positions 1 to 16; a null tip is a separator (6, 10, 12, 15).
    const Button buttons[16] = {
        {"Nouveau", "document-new", "nouveau"},
        {"Ouvrir", "document-open", "ouvrir"},
        {"Enregistrer", "document-save", "enregistrer"},
        {"Enregistrer Sous", "document-save-as", "enregistrer-sous"},
        {"Imprimer", "document-print", "imprimer"},
        {nullptr, nullptr, nullptr},
        {"Police", "preferences-desktop-font", "police"},
        {"Couleur", "format-text-color", "couleur"},
        {"Icône", "insert-image", "icone"},
        {nullptr, nullptr, nullptr},
        {"Visualiser les images", "image-x-generic", "visionneuse"},
        {nullptr, nullptr, nullptr},
        {"Aide", "help-contents", "aide"},
        {"A propos", "help-about", "a-propos"},
        {nullptr, nullptr, nullptr},
        {"Quitter", "application-exit", "quitter"},
    };
    for (int i = 0; i < 16; ++i) {
        QAction* a = nullptr;
        if (buttons[i].tip) {
            a = Toolbar1->addAction(controls::themeIcon(buttons[i].theme, buttons[i].bundled),
                                    QString::fromUtf8(buttons[i].tip));
            a->setToolTip(QString::fromUtf8(buttons[i].tip));
        } else {
            a = Toolbar1->addSeparator();
        }
        a->setObjectName(QStringLiteral("Toolbar1_%1").arg(i + 1));
        toolbarButtons << a;
        const int position = i + 1;
        connect(a, &QAction::triggered, this, [this, position] { Toolbar1_ButtonClick(position); });
    }
}

void Form1::buildStatusBar() {
    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 6675 / 15 - 24, 9015 / 15, 24);
    auto panel = [this](const char* name, int stretch) {
        auto* l = new QLabel(StatusBar1);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        StatusBar1->addPermanentWidget(l, stretch);
        return l;
    };
    Panel1 = panel("Panel1", 3);
    Panel2 = panel("Panel2", 0);
    Panel3 = panel("Panel3", 0);
    Panel4 = panel("Panel4", 4);
    const QString notice = QStringLiteral("%1 - %2").arg(QString::fromUtf8(buildinfo::makerName),
                                                         QString::fromUtf8(buildinfo::noticeDate));
    Panel4->setText(notice);
    Panel4->setToolTip(notice);
}
