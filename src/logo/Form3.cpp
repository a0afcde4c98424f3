#include "logo/Form3.h"

#include "app/Form1.h"
#include "app/Module1.h"
#include "app/NumberText.h"
#include "app/SharedProcedures.h"
#include "logo/LogoSize.h"
#include "logo/LogoUnits.h"
#include "platform/Platform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <tuple>

using numtext::plainText;

Form3::Form3(Module1& module, Platform& platform, Form1& main)
    : QDialog(&main), m_(module), p_(platform), main_(main) {
    buildControls();
    wireControls();
    setUpAccess();
}

void Form3::wireControls() {
    // A bar runs its handling when its position changes and while its thumb is dragged,
    // so the preview follows the thumb.
    const auto wireBar = [this](QScrollBar* bar, void (Form3::*handler)(int)) {
        connect(bar, &QScrollBar::valueChanged, this, handler);
        connect(bar, &QScrollBar::sliderMoved, this, handler);
    };
    wireBar(HScroll1, &Form3::HScroll1_Change);
    wireBar(VScroll1, &Form3::VScroll1_Change);
    wireBar(HScroll2, &Form3::HScroll2_Change);
    wireBar(VScroll2, &Form3::VScroll2_Change);
    connect(Text1, &QLineEdit::textChanged, this, &Form3::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &Form3::Text2_Change);
    connect(Combo1, &QComboBox::activated, this, &Form3::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
}

void Form3::Form_Load() {
    CardLogo& logo = m_.card.Logo;
    // 1.
    CentrerFeuille(*this, *p_.environment);
    // 2. The size bars reach the card's own size.
    HScroll1->setMaximum(std::max(0, logosize::barPosition(m_.layout.cardWidth)));
    VScroll1->setMaximum(std::max(0, logosize::barPosition(m_.layout.cardHeight)));
    // 3, 4. The size as the preview shows it, cut to two decimals.
    logo.Width = truncateTwoDecimals(TwipsEnMM(logo.boxTwips.width()));
    logo.Height = truncateTwoDecimals(TwipsEnMM(logo.boxTwips.height()));
    // 5. Moving a bar makes the size whole millimetres.
    setBarPosition(HScroll1, logo.Width);
    setBarPosition(VScroll1, logo.Height);
    // 6.
    savedWidth_ = logo.Width;
    savedHeight_ = logo.Height;
    // 7. Filling the list leaves its text on the custom entry.
    {
        const QSignalBlocker blocker(Combo1);
        Combo1->clear();
        for (const logosize::Preset& preset : logosize::Presets)
            Combo1->addItem(logosize::presetText(preset));
        Combo1->setCurrentIndex(Combo1->count() - 1);
    }
    // 8. Writing the texts runs their limit checks.
    Text1->setText(plainText(logo.Width));
    Label5->setText(plainText(logo.Width));
    Text2->setText(plainText(logo.Height));
    Label6->setText(plainText(logo.Height));
    // 9.
    Label7->setText(plainText(logo.Left));
    Label8->setText(plainText(logo.Top));
    // 10, 11.
    setBarPosition(HScroll1, logo.Width);
    setBarPosition(VScroll1, logo.Height);
    setBarPosition(HScroll2, logo.Left);
    setBarPosition(VScroll2, logo.Top);
}

void Form3::setBarPosition(QScrollBar* bar, double mm) {
    const int position = logosize::barPosition(mm);
    if (position < bar->minimum() || position > bar->maximum()) {
        const QSignalBlocker blocker(bar);
        bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
        return;
    }
    bar->setValue(position); // runs the bar's handling only when the position moves
}

// The value labels go with the preview: a size the bar cannot reach (a replacement beyond
// the card) still shows as it is.
void Form3::placeWidth(double mm) {
    logobox::setWidthMm(m_.card.Logo, mm);
    Label5->setText(plainText(mm));
    main_.placeLogoBox();
}

void Form3::placeHeight(double mm) {
    logobox::setHeightMm(m_.card.Logo, mm);
    Label6->setText(plainText(mm));
    main_.placeLogoBox();
}

void Form3::HScroll1_Change(int position) {
    m_.card.Logo.Width = position;
    placeWidth(position);
}

void Form3::VScroll1_Change(int position) {
    m_.card.Logo.Height = position;
    placeHeight(position);
}

void Form3::HScroll2_Change(int position) {
    m_.card.Logo.Left = position;
    Label7->setText(plainText(double(position)));
    logobox::setLeftMm(m_.card.Logo, position);
    main_.placeLogoBox();
}

void Form3::VScroll2_Change(int position) {
    m_.card.Logo.Top = position;
    Label8->setText(plainText(double(position)));
    logobox::setTopMm(m_.card.Logo, position);
    main_.placeLogoBox();
}

void Form3::Text1_Change() {
    sizeTextChanged(logosize::Dimension::Width, Text1, m_.card.Logo.Width, m_.layout.cardWidth, HScroll1);
}

void Form3::Text2_Change() {
    sizeTextChanged(logosize::Dimension::Height, Text2, m_.card.Logo.Height, m_.layout.cardHeight, VScroll1);
}

// The width and height texts: the size they hold, checked against the card, then shown.
void Form3::sizeTextChanged(logosize::Dimension dimension, const QLineEdit* text, double& size,
                            double cardSize, QScrollBar* bar) {
    size = numtext::toNumber(text->text());
    const logosize::Checked checked = logosize::checkSize(dimension, size, cardSize);
    if (checked.message)
        p_.messages->show(*checked.message);
    size = checked.value;
    if (dimension == logosize::Dimension::Width)
        placeWidth(size);
    else
        placeHeight(size);
    setBarPosition(bar, size);
}

void Form3::Combo1_Click() {
    CardLogo& logo = m_.card.Logo;
    Text1->setEnabled(false);
    Text2->setEnabled(false);
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        bar->setEnabled(false);
        bar->hide();
    }
    const QString text = Combo1->currentText();
    if (const auto preset = logosize::presetFor(text)) {
        logo.Width = preset->width;
        logo.Height = preset->height;
    } else if (text == logosize::customText()) {
        Text1->setEnabled(true);
        Text2->setEnabled(true);
        for (QScrollBar* bar : {HScroll1, VScroll1}) {
            bar->setEnabled(true);
            bar->show();
        }
        logo.Width = numtext::toNumber(Text1->text());
        placeWidth(logo.Width);
        logo.Height = numtext::toNumber(Text2->text());
        placeHeight(logo.Height);
    }
    placeWidth(logo.Width);
    placeHeight(logo.Height);
    // A text that already held the value still runs its limit check: the same oversized
    // preset chosen twice gives the same size twice, not the preset itself.
    for (auto [text, value, check] : {std::tuple{Text1, logo.Width, &Form3::Text1_Change},
                                      std::tuple{Text2, logo.Height, &Form3::Text2_Change}}) {
        if (text->text() == plainText(value))
            (this->*check)();
        else
            text->setText(plainText(value));
    }
}

void Form3::Command1_Click() {
    accept();
}

void Form3::Command2_Click() {
    CardLogo& logo = m_.card.Logo;
    logo.Width = savedWidth_;
    logo.Height = savedHeight_;
    placeWidth(logo.Width);
    placeHeight(logo.Height);
    reject();
}
