#pragma once

#include "platform/HelpSearch.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// The program's help viewer: the help file's pages, and a search list of its entries.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showContents(const QString& helpFile);
    void showSearch(const QString& helpFile);

    // The entries of the help file: (anchor, title), in file order.
    static QList<QPair<QString, QString>> entries(const QString& html);

    // The search field's caption, which the help names.
    static QString searchPrompt();

private:
    bool load(const QString& helpFile);
    void filter(const QString& text);
    // The whole window within the screen's free area, centred there when it was not.
    void fitOnScreen();

    QTextBrowser* browser_;
    QWidget* searchPanel_;
    QLineEdit* searchField_;
    QListWidget* entryList_;
    QList<helpsearch::Section> sections_;
};
