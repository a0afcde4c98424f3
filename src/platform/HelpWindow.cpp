#include "platform/HelpWindow.h"

#include "platform/BoundedRead.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide de Kalimo"));
    resize(820, 600);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(true);

    searchPanel_ = new QWidget(this);
    auto* searchLayout = new QVBoxLayout(searchPanel_);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    auto* prompt = new QLabel(searchPrompt(), searchPanel_);
    prompt->setObjectName(QStringLiteral("HelpPrompt"));
    prompt->setWordWrap(true);
    searchLayout->addWidget(prompt);
    searchField_ = new QLineEdit(searchPanel_);
    searchField_->setObjectName(QStringLiteral("HelpSearch"));
    searchLayout->addWidget(searchField_);
    entryList_ = new QListWidget(searchPanel_);
    entryList_->setObjectName(QStringLiteral("HelpEntries"));
    searchLayout->addWidget(entryList_);
    searchPanel_->setFixedWidth(260);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(searchPanel_);
    layout->addWidget(browser_, 1);

    connect(searchField_, &QLineEdit::textChanged, this, &HelpWindow::filter);
    connect(entryList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (auto* item = entryList_->item(row))
            browser_->scrollToAnchor(item->data(Qt::UserRole).toString());
    });
}

QList<QPair<QString, QString>> HelpWindow::entries(const QString& html) {
    QList<QPair<QString, QString>> out;
    for (const helpsearch::Section& section : helpsearch::sections(html))
        out.append({section.anchor, section.title});
    return out;
}

QString HelpWindow::searchPrompt() {
    return QStringLiteral("Tapez un mot à rechercher :");
}

bool HelpWindow::load(const QString& helpFile) {
    // An ordinary file of a sensible size only: the help is a few pages of text.
    const boundedread::Result file = boundedread::readFile(helpFile, 16 * 1024 * 1024);
    if (!file.bytes) {
        sections_.clear();
        browser_->setHtml(
            QStringLiteral("<h2>Aide introuvable</h2><p>Le fichier d'aide <b>%1</b> est introuvable "
                           "ou ne peut pas être lu.</p>")
                .arg(helpFile.toHtmlEscaped()));
        return false;
    }
    const QString html = QString::fromUtf8(*file.bytes);
    browser_->setHtml(html);
    sections_ = helpsearch::sections(html);
    return true;
}

void HelpWindow::showContents(const QString& helpFile) {
    load(helpFile);
    searchPanel_->hide();
    browser_->scrollToAnchor(QStringLiteral("sommaire"));
    fitOnScreen();
    show();
    raise();
    activateWindow();
}

void HelpWindow::showSearch(const QString& helpFile) {
    load(helpFile);
    searchPanel_->show();
    searchField_->clear();
    filter(QString());
    fitOnScreen();
    show();
    raise();
    activateWindow();
    searchField_->setFocus();
}

void HelpWindow::filter(const QString& text) {
    entryList_->clear();
    for (const int i : helpsearch::find(sections_, text)) {
        auto* item = new QListWidgetItem(sections_[i].title, entryList_);
        item->setData(Qt::UserRole, sections_[i].anchor);
    }
}

void HelpWindow::fitOnScreen() {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    // Room for the frame the window manager adds around the window.
    const QMargins frame(8, 32, 8, 8);
    const QSize room = free.marginsRemoved(frame).size();
    resize(std::min(width(), room.width()), std::min(height(), room.height()));
    const QRect outer = geometry().marginsAdded(frame);
    if (!isVisible() || !free.contains(outer))
        move(free.center() - rect().center());
}
