#pragma once

#include <QDialog>

struct Module1;
struct Platform;
class Form1;

// The print set-up dialog. Created hidden, shown modally by the print command; every way of
// closing it destroys it.
class Form2 : public QDialog {
    Q_OBJECT
public:
    Form2(Module1& module, Platform& platform, Form1& main);
    ~Form2() override;

private:
    // The creation steps.
    void Form_Load();

    Module1& m_;
    Platform& p_;
    Form1& main_;
};
