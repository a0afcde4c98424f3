#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

struct Module1;
struct Platform;
class Form2;
class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QSessionManager;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;
class QToolBar;
class CardView;
class ZoneLabel;
class LogoBox;
class QWidget;

// The main window: the card preview and every command around it. Its controls carry the
// program's names as objectName; each handler is named after its control and event.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(Module1& module, Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up, in its fixed order (also run by the constructor's caller once).
    void Form_Load();

    // --- main window and start-up
    void Timer1_Timer();
    void Toolbar1_ButtonClick(int position);
    void Mmu_Som_Aide_Click();
    void Mnu_AideIndex_Click();
    void Command7_Click();
    QString helpFilePath() const;
    // Shows the card of the model in the preview.
    void refreshPreview();
    void refreshZone(int n);
    void placeLogoBox();
    // The zone highlight: the selected zone opaque in colour, the two others transparent.
    void highlightZone(int n, quint32 backColour);
    void setStatusFileName(const QString& text);
    // The editor holds the zone's text with LF; the card keeps CR LF.
    void setEditorText(const QString& crlfText);
    QString editorText() const;
    QString statusFileName() const;
    // The print set-up window, created hidden when it does not exist; it deletes itself
    // when closed, and the next call creates it again.
    Form2& form2();
    bool hasForm2() const { return !form2_.isNull(); }
    void setForm2Caption(const QString& caption);

    // --- document commands and card file
    void Mnu_Nouveau_Click();
    void Mnu_Ouvrir_Click();
    void Mnu_Enregistrer_Click();
    void Mnu_EnregistrerSous_Click();
    void Mnu_Fichier_Click();
    void Mnu_Quitter_Click();
    void Command4_Click();
    void OpenFile(const QString& path);
    void SaveFile(const QString& path);
    // Save and save as, telling whether the card is now on disk (false: cancelled or failed).
    bool saveDocument();
    bool saveDocumentAs();
    // Asks to save a modified card before it is set aside; true when the command may go on.
    bool mayLeaveCard();
    bool isCardModified() const;
    // After any change of the card: the title's modified mark follows the card.
    void noteCardChange();
    // Opens a card file chosen elsewhere than the open dialog (recent list, drop, ...).
    void openCardFile(const QString& path);
    // The end of the desktop session; true when it may go on. mayAsk: the session manager
    // lets the program ask a question.
    bool sessionEnding(bool mayAsk);
    // The recent cards, newest first, and their menu entries.
    QStringList recentCards() const { return recent_; }
    void refreshRecentMenu();
    // A picture file made the logo, by the steps of "Logo Icone" after its dialog.
    void takeLogoFile(const QString& path);

    // --- text zone editing
    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void selectZone(int n);
    // The alignment options show the selected zone's alignment, whatever changed it.
    void showAlignment();
    void Text1_Change();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();
    void Command2_Click();

    // --- logo
    void Command3_Click();
    void Picture2_DblClick();
    void Command6_Click();
    void Command11_Click();
    void Command10_Click();
    // Makes the logo the card's contact code, after showing what it will hold.
    void Mnu_CodeQR_Click();

    // --- printing
    void Mnu_Imprimer_Click();
    void Command5_Click();
    void Command8_Click();
    void Mnu_Apercu_Click();
    void Mnu_ExportPdf_Click();
    // The two jobs, on the application's printer.
    void Imprim10Cartes();
    void Imprim1Carte();

    // --- printer orientation
    void Mnu_ImpPort_Click();
    void Mnu_ImpPays_Click();
    void Mnu_ConfigImp_Click();
    // Label6 and the two check marks from the printer's stored orientation.
    void refreshOrientationDisplay(bool label);
    int printerOrientation();

    // --- print parameters
    void Mnu_ChargeParam_Click();

    // --- image viewer and About box
    void Command9_Click();
    void Mnu_APropos_Click();

    Module1& module() { return m_; }
    Platform& platform() { return p_; }

signals:
    // The program must end now (quit confirmed); main() leaves its event loop.
    void quitRequested();
    // The card became modified, or clean again.
    void cardModifiedChanged(bool modified);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildLogoMenu();
    void installTooltips();
    void wireControls();
    // Keys, tab order and what a screen reader says of each control.
    void setUpAccess();
    void buildRecentMenu();
    void rememberRecent(const QString& path);
    void commitData(QSessionManager& manager);
    bool leftAtSessionEnd() const;
    bool sessionHasWorkToAsk() const;

    Module1& m_;
    Platform& p_;
    QPointer<Form2> form2_;
    QStringList recent_;
    // Set once the program is on its way out, so that no later close asks again.
    bool leaving_ = false;
    // The card as it was when the person gave up its changes at the session's end.
    QByteArray sessionLeftCard_;

public:
    // Controls, named as the program names them.
    QWidget* client = nullptr;
    CardView* Picture1 = nullptr;
    ZoneLabel* Label1 = nullptr;
    ZoneLabel* Label2 = nullptr;
    ZoneLabel* Label3 = nullptr;
    LogoBox* Picture2 = nullptr;
    QGroupBox* FrameTexte = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command10 = nullptr;
    QPushButton* Command11 = nullptr;
    QPushButton* Command5 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command4 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label6 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    QLabel* Panel4 = nullptr;
    QTimer* Timer1 = nullptr;

    QMenu* Mnu_Fichier = nullptr;
    QAction* Mnu_Nouveau = nullptr;
    QAction* Mnu_Ouvrir = nullptr;
    QAction* Mnu_Enregistrer = nullptr;
    QAction* Mnu_EnregistrerSous = nullptr;
    QAction* Mnu_Imprimer = nullptr;
    QAction* Mnu_Apercu = nullptr;
    QAction* Mnu_ExportPdf = nullptr;
    QAction* Mnu_ConfigImp = nullptr;
    QAction* Mnu_ImpPort = nullptr;
    QAction* Mnu_ImpPays = nullptr;
    QAction* Mnu_ChargeParam = nullptr;
    QList<QAction*> Mnu_Recent; // the recent cards, "&1" to "&5"
    QAction* Mnu_RecentSeparator = nullptr;
    QAction* Mnu_Quitter = nullptr;
    QMenu* Mnu_Logo = nullptr;
    QAction* Mnu_CodeQR = nullptr;
    QMenu* Mnu_Aide = nullptr;
    QAction* Mmu_Som_Aide = nullptr;
    QAction* Mnu_AideIndex = nullptr;
    QAction* Mnu_APropos = nullptr;
    QList<QAction*> toolbarButtons; // 16 positions, separators included
};
