#pragma once

#include <QDialog>
#include <array>

struct Module1;
struct Platform;
class Form1;
class FilteredEdit;
class PositionBox;
class SheetPicture;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The print set-up dialog. Created hidden, shown modally by the print command; every way of
// closing it destroys it. It keeps no values of its own: each edit goes to the shared state.
class Form2 : public QDialog {
    Q_OBJECT
public:
    Form2(Module1& module, Platform& platform, Form1& main);
    ~Form2() override;

    // Makes the ten position boxes unclickable, or clickable again with the print button
    // naming the chosen position.
    void CacheLabel();
    void LabelVisible();

    // The six measure boxes from the layout, with the sign blank (after a load) or without.
    void showMeasures(bool signBlank);
    // The two check boxes from the layout's flags.
    void showFlags();
    // The check boxes and the six measure boxes into the layout.
    void takeFlags();
    void takeMeasures();
    // Everything back to the built-in set, the count box included.
    void restoreBuiltIn();

    // Handlers, named after their controls.
    void Option1_Click();
    void Option2_Click();
    void Label_Click(int n);
    void Text_Change(int box);
    void Text7_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

    // Runs the closing rule, however the dialog closes.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void wireControls();
    // Tab order and what a screen reader says of each control.
    void setUpAccess();
    // The creation steps.
    void Form_Load();

    Module1& m_;
    Platform& p_;
    Form1& main_;

public:
    // Controls, named as the program names them.
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    FilteredEdit* Text7 = nullptr;
    QLabel* Label11 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    SheetPicture* Frame1 = nullptr;
    std::array<PositionBox*, 10> Label{}; // Label1 .. Label10
    std::array<FilteredEdit*, 6> Text{};  // Text1 .. Text6
};
