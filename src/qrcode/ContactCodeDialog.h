#pragma once

#include <QDialog>

struct CardDocument;
class QLabel;
class QPushButton;

// "Code QR de contact": what the card's code will say, field by field, as the card's text
// gives it, with its size on the card. Accepting makes the logo the code.
class ContactCodeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ContactCodeDialog(const CardDocument& card, QWidget* parent = nullptr);

    QPushButton* placeButton() const { return place_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QPushButton* place_;
    QPushButton* cancel_;
};
