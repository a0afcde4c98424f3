#pragma once

#include "logo/LogoSize.h"

#include <QDialog>

struct Module1;
struct Platform;
class Form1;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The logo size and position dialog. Every change goes at once into the card's logo and
// the main window's preview; "&Annuler" puts the size back as it was on opening.
class Form3 : public QDialog {
    Q_OBJECT
public:
    Form3(Module1& module, Platform& platform, Form1& main);

    // The opening, run each time the dialog is shown.
    void Form_Load();

    void Combo1_Click();
    void HScroll1_Change(int position);
    void VScroll1_Change(int position);
    void HScroll2_Change(int position);
    void VScroll2_Change(int position);
    void Text1_Change();
    void Text2_Change();
    void Command1_Click();
    void Command2_Click();

    double savedWidth() const { return savedWidth_; }
    double savedHeight() const { return savedHeight_; }

private:
    void buildControls();
    void wireControls();
    // Keys, tab order and what a screen reader says of each control.
    void setUpAccess();
    // Moves a bar to a value in millimetres; a position beyond the bar's range leaves the
    // bar at its nearest end without touching the value.
    static void setBarPosition(QScrollBar* bar, double mm);
    void placeWidth(double mm);
    void placeHeight(double mm);
    void sizeTextChanged(logosize::Dimension dimension, const QLineEdit* text, double& size, double cardSize,
                         QScrollBar* bar);

    Module1& m_;
    Platform& p_;
    Form1& main_;
    double savedWidth_ = 0;
    double savedHeight_ = 0;

public:
    QGroupBox* Frame2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};
