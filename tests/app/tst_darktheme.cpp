// The windows under a dark desktop theme: every text that shows reads on what lies under it,
// measured on the window as it is painted. The card stays paper-white.
#include "TestPlatform.h"
#include "about/frmAbout.h"
#include "app/CardPreview.h"
#include "app/Controls.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "setup/Form2.h"
#include "setup/SheetPicture.h"
#include "viewer/RootSource.h"
#include "viewer/VisuIMG.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QtTest>
#include <cmath>

namespace {

struct NoRoots : RootSource {
    QList<ViewerRoot> roots() override { return {}; }
    bool canRead(const QString&) override { return false; }
};

double luminance(QRgb c) {
    const auto linear = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette() {
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x24, 0x24, 0x24), text(0xEE, 0xEE, 0xEE);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Midlight, QColor(0x45, 0x45, 0x45));
    p.setColor(QPalette::Mid, QColor(0x25, 0x25, 0x25));
    p.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return p;
}

// The colours of a text as painted: the pixel most unlike the background (its ink) against the
// background (the most common colour) of the area the text is drawn in.
double paintedContrast(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    // A text is more than a stray pixel or two (a cursor, a frame's corner): the contrast that
    // a few pixels reach at least.
    std::vector<std::pair<double, int>> levels;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        levels.emplace_back(contrast(it.key(), background), it.value());
    std::sort(levels.begin(), levels.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    int seen = 0;
    for (const auto& [level, count] : levels)
        if ((seen += count) >= 6)
            return level;
    return 1;
}

// Where the text of a control is drawn, within the control.
QRect textArea(const QWidget* w, const QString& text) {
    const QFontMetrics fm = w->fontMetrics();
    const int width = std::min(w->width(), fm.horizontalAdvance(text) + 4);
    if (qobject_cast<const QGroupBox*>(w))
        return {0, 0, w->width(), fm.height() + 2};
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        const QRect inside = l->contentsRect();
        if (l->wordWrap())
            return inside;
        const int left = l->alignment() & Qt::AlignHCenter ? inside.center().x() - width / 2 : inside.left();
        return QRect(left, inside.center().y() - fm.height() / 2, width, fm.height()) & inside;
    }
    if (const auto* c = qobject_cast<const QComboBox*>(w)) { // the text field, not the arrow
        QStyleOptionComboBox option;
        option.initFrom(c);
        option.editable = c->isEditable();
        const QRect field =
            c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c);
        return field.adjusted(1, 1, -1, -1);
    }
    if (qobject_cast<const QAbstractButton*>(w) && !w->inherits("QPushButton"))
        return {w->height(), 0, w->width() - w->height(), w->height()}; // beside the mark
    return w->rect().adjusted(3, 3, -3, -3);
}

QString shownText(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->pixmap().isNull() ? l->text() : QString();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (const auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    return {};
}

// Every enabled text of the window that reads badly, with its measured contrast.
QStringList unreadable(QWidget* window, double least) {
    window->show();
    QCoreApplication::processEvents();
    // No text cursor nor selection in the picture.
    if (QWidget* focus = window->focusWidget())
        focus->clearFocus();
    const QImage shot = window->grab().toImage();
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString text = shownText(w).remove('&').trimmed();
        if (text.isEmpty() || !w->isVisible() || !w->isEnabled() || w->window() != window ||
            w->objectName().isEmpty() || w->inherits("ZoneLabel"))
            continue;
        const QRect area = textArea(w, text).translated(w->mapTo(window, QPoint(0, 0)));
        const double c = paintedContrast(shot, area);
        if (c < least)
            out << QStringLiteral("%1 \"%2\": %3:1").arg(w->objectName(), text).arg(c, 0, 'f', 2);
    }
    window->hide();
    return out;
}

} // namespace

class DarkThemeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void init() { QApplication::setPalette(darkPalette()); }

    void textsRead_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("dark");
        for (const bool dark : {true, false})
            for (const char* name : {"Form1", "Form2", "Form2 carte", "Form3", "VisuIMG", "frmAbout"})
                QTest::addRow("%s %s", name, dark ? "dark" : "light") << QString::fromLatin1(name) << dark;
    }

    void textsRead() {
        QFETCH(QString, window);
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        std::unique_ptr<QWidget> own;
        QWidget* shown = &w;
        if (window.startsWith("Form2")) {
            shown = &w.form2();
            if (window.endsWith("carte")) { // the single card mode, a card chosen
                w.form2().Option2_Click();
                w.form2().Label_Click(3);
            }
        } else if (window == "Form3") {
            auto* d = new Form3(m, tp.platform, w);
            d->Form_Load();
            own.reset(d);
            shown = d;
        } else if (window == "VisuIMG") {
            own = std::make_unique<VisuIMG>(m, tp.platform, w, std::make_unique<NoRoots>());
            shown = own.get();
        } else if (window == "frmAbout") {
            own = std::make_unique<frmAbout>(tp.platform, &w);
            shown = own.get();
        }
        const QStringList bad = unreadable(shown, 4.5);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join('\n')));
    }

    // The card and the sheet stay paper-white under a dark theme.
    void paperStaysWhite() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        w.show();
        const QImage card = w.Picture1->grab().toImage();
        QCOMPARE(QColor(card.pixel(card.width() / 4, card.height() / 2)), QColor(Qt::white));
        Form2& f = w.form2();
        f.show();
        const QImage sheet = f.Frame1->grab().toImage();
        const QRect box = f.Label[0]->geometry();
        QCOMPARE(QColor(sheet.pixel(box.left() - 3, box.center().y())), QColor(Qt::white));
    }
};

QTEST_MAIN(DarkThemeTest)
#include "tst_darktheme.moc"
