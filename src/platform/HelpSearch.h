#pragma once

#include <QList>
#include <QString>

// The help file cut into its headed sections, and the search over them: accents, case and
// typographic apostrophes do not matter, and a section is found by its text as well as by
// its title.
namespace helpsearch {

struct Section {
    QString anchor; // the heading's id
    QString title;  // the heading as plain text
    QString text;   // what follows it, up to the next heading, as plain text
};

// The sections of the help's HTML, in file order; each starts at a heading (h1 to h3) with an id.
QList<Section> sections(const QString& html);

// Text as the search compares it: no accents, lower case, ligatures spelt out, one kind of
// apostrophe and of space.
QString fold(const QString& text);

// A folded word without its French ending (plural, feminine, "-age", "-er"...), so that
// "parametre" and "parametrage" meet: "parametr".
QString stem(const QString& word);

// The sections holding every word of the query, each word by its stem: those whose title holds them all
// first, then those whose text does, each group in file order. An empty query lists every section.
QList<int> find(const QList<Section>& sections, const QString& query);

} // namespace helpsearch
