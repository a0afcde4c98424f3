#include "platform/FontDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>

namespace {

constexpr float MinimumSize = 1;
constexpr float MaximumSize = 1638;
const int StandardSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Selects the first entry that starts with the text, as a person types, without touching the text.
void followTyping(QListWidget* list, const QString& text) {
    const QSignalBlocker block(list);
    for (int i = 0; i < list->count(); ++i) {
        if (!text.isEmpty() && list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            list->setCurrentRow(i);
            list->scrollToItem(list->item(i));
            return;
        }
    }
    list->setCurrentRow(-1);
}

QListWidget* listUnder(QGridLayout* grid, int column, const QString& caption, QLineEdit* edit,
                       const char* name) {
    auto* label = new QLabel(caption);
    label->setBuddy(edit);
    auto* list = new QListWidget;
    list->setObjectName(QLatin1String(name));
    grid->addWidget(label, 0, column);
    grid->addWidget(edit, 1, column);
    grid->addWidget(list, 2, column);
    return list;
}

} // namespace

QString withoutFoundry(const QString& family) {
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    return QString(family).remove(foundry).trimmed();
}

QStringList cardFamilies(const QStringList& databaseFamilies) {
    QStringList out;
    for (const QString& f : databaseFamilies) {
        const QString name = withoutFoundry(f);
        if (!name.isEmpty() && !out.contains(name, Qt::CaseInsensitive))
            out << name;
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

QString sizeText(float points) {
    // The shortest text that reads back as the same single-precision number.
    return QString::number(double(points), 'g', 7);
}

std::optional<float> parseSize(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const float v = t.toFloat(&ok);
    if (!ok || !(v >= MinimumSize && v <= MaximumSize))
        return std::nullopt;
    return v;
}

FontDialog::FontDialog(const FontChoice& initial, const QStringList& families, QWidget* parent)
    : QDialog(parent), initial_(initial) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("Police"));
    auto* grid = new QGridLayout(this);

    familyEdit = new QLineEdit;
    familyEdit->setObjectName(QStringLiteral("familyEdit"));
    familyList = listUnder(grid, 0, QStringLiteral("&Police :"), familyEdit, "familyList");
    auto* styleEdit = new QLineEdit;
    styleEdit->setReadOnly(true);
    styleEdit->setObjectName(QStringLiteral("styleEdit"));
    styleList = listUnder(grid, 1, QStringLiteral("St&yle :"), styleEdit, "styleList");
    sizeEdit = new QLineEdit;
    sizeEdit->setObjectName(QStringLiteral("sizeEdit"));
    sizeList = listUnder(grid, 2, QStringLiteral("&Taille :"), sizeEdit, "sizeList");
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    auto* sampleBox = new QGroupBox(QStringLiteral("Exemple"));
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sample = new QLabel(QStringLiteral("AaBbYyZz"));
    sample->setObjectName(QStringLiteral("sample"));
    sample->setAlignment(Qt::AlignCenter);
    sample->setMinimumHeight(60);
    sampleLayout->addWidget(sample);
    grid->addWidget(sampleBox, 3, 0, 1, 3);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    grid->addWidget(buttons, 4, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The zone's own family is offered even when the system lacks it and draws another.
    initialFamilyText_ = withoutFoundry(initial.name);
    QStringList names = cardFamilies(families);
    if (!initialFamilyText_.isEmpty() && !names.contains(initialFamilyText_, Qt::CaseInsensitive)) {
        names << initialFamilyText_;
        names.sort(Qt::CaseInsensitive);
    }
    familyList->addItems(names);
    styleList->addItems({QStringLiteral("Normal"), QStringLiteral("Italique"), QStringLiteral("Gras"),
                         QStringLiteral("Gras italique")});
    for (int size : StandardSizes)
        sizeList->addItem(QString::number(size));
    initialSizeText_ = sizeText(initial.size);

    connect(familyList, &QListWidget::currentTextChanged, this, [this](const QString& t) {
        if (!t.isEmpty())
            familyEdit->setText(t);
    });
    connect(familyEdit, &QLineEdit::textEdited, this, &FontDialog::familyTyped);
    connect(familyEdit, &QLineEdit::textChanged, this, &FontDialog::updateSample);
    connect(styleList, &QListWidget::currentRowChanged, this, [this, styleEdit](int row) {
        styleEdit->setText(row >= 0 ? styleList->item(row)->text() : QString());
        updateSample();
    });
    connect(sizeList, &QListWidget::currentTextChanged, this, [this](const QString& t) {
        if (!t.isEmpty())
            sizeEdit->setText(t);
    });
    connect(sizeEdit, &QLineEdit::textEdited, this, &FontDialog::sizeTyped);
    connect(sizeEdit, &QLineEdit::textChanged, this, &FontDialog::updateSample);

    familyEdit->setText(initialFamilyText_);
    familyTyped(initialFamilyText_);
    // Exactly the family's entry when there is one.
    const QList<QListWidgetItem*> exact = familyList->findItems(initialFamilyText_, Qt::MatchFixedString);
    if (!exact.isEmpty()) {
        const QSignalBlocker block(familyList);
        familyList->setCurrentItem(exact.front());
    }
    styleList->setCurrentRow((initial.bold ? 2 : 0) + (initial.italic ? 1 : 0));
    sizeEdit->setText(initialSizeText_);
    sizeTyped(initialSizeText_);
    updateSample();
    familyEdit->setFocus();
}

void FontDialog::familyTyped(const QString& text) {
    followTyping(familyList, text.trimmed());
    updateSample();
}

void FontDialog::sizeTyped(const QString& text) {
    const std::optional<float> size = parseSize(text);
    const QSignalBlocker block(sizeList);
    const QList<QListWidgetItem*> exact =
        size ? sizeList->findItems(sizeText(*size), Qt::MatchExactly) : QList<QListWidgetItem*>();
    sizeList->setCurrentItem(exact.isEmpty() ? nullptr : exact.front());
    updateSample();
}

void FontDialog::updateSample() {
    const FontChoice c = choice();
    const bool valid = !c.name.isEmpty() && parseSize(sizeEdit->text()).has_value();
    buttons->button(QDialogButtonBox::Ok)->setEnabled(valid);
    if (!valid)
        return;
    QFont f(c.name);
    f.setPointSizeF(c.size);
    f.setBold(c.bold);
    f.setItalic(c.italic);
    sample->setFont(f);
}

FontChoice FontDialog::choice() const {
    FontChoice c = initial_;
    const QString family = familyEdit->text().trimmed();
    // What the person left alone comes back as it came, spelling and all; only a foundry
    // never reaches the card.
    if (family != initialFamilyText_ || c.name.contains(QLatin1Char('[')))
        c.name = withoutFoundry(family);
    if (sizeEdit->text().trimmed() != initialSizeText_) {
        if (const std::optional<float> size = parseSize(sizeEdit->text()))
            c.size = *size;
    }
    const int style = styleList->currentRow();
    if (style >= 0) {
        c.bold = style >= 2;
        c.italic = style % 2 == 1;
    }
    return c;
}
