#include "platform/HelpWindow.h"

#include "platform/BoundedRead.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

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
    auto* prompt = new QLabel(QStringLiteral("Tapez un mot à rechercher :"), searchPanel_);
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
    static const QRegularExpression heading(
        QStringLiteral("<h[1-3][^>]*\\bid=\"([^\"]+)\"[^>]*>(.*?)</h[1-3]>"),
        QRegularExpression::DotMatchesEverythingOption);
    QList<QPair<QString, QString>> out;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.append(
            {m.captured(1), QTextDocumentFragment::fromHtml(m.captured(2)).toPlainText().simplified()});
    }
    return out;
}

bool HelpWindow::load(const QString& helpFile) {
    // An ordinary file of a sensible size only: the help is a few pages of text.
    const boundedread::Result file = boundedread::readFile(helpFile, 16 * 1024 * 1024);
    if (!file.bytes) {
        entries_.clear();
        browser_->setHtml(
            QStringLiteral("<h2>Aide introuvable</h2><p>Le fichier d'aide <b>%1</b> est introuvable "
                           "ou ne peut pas être lu.</p>")
                .arg(helpFile.toHtmlEscaped()));
        return false;
    }
    const QString html = QString::fromUtf8(*file.bytes);
    browser_->setHtml(html);
    entries_ = entries(html);
    return true;
}

void HelpWindow::showContents(const QString& helpFile) {
    load(helpFile);
    searchPanel_->hide();
    browser_->scrollToAnchor(QStringLiteral("sommaire"));
    show();
    raise();
    activateWindow();
}

void HelpWindow::showSearch(const QString& helpFile) {
    load(helpFile);
    searchPanel_->show();
    searchField_->clear();
    filter(QString());
    show();
    raise();
    activateWindow();
    searchField_->setFocus();
}

void HelpWindow::filter(const QString& text) {
    entryList_->clear();
    for (const auto& [anchor, title] : entries_) {
        if (!title.contains(text.trimmed(), Qt::CaseInsensitive))
            continue;
        auto* item = new QListWidgetItem(title, entryList_);
        item->setData(Qt::UserRole, anchor);
    }
}
