// The four windows and the About box at the desktop font sizes people use: every caption,
// button text and status panel whole within its box, every control within its window.
#include "TestPlatform.h"
#include "about/frmAbout.h"
#include "app/Controls.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "setup/Form2.h"
#include "viewer/RootSource.h"
#include "viewer/VisuIMG.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QtTest>

namespace {

struct NoRoots : RootSource {
    QList<ViewerRoot> roots() override { return {}; }
    bool canRead(const QString&) override { return false; }
};

QString plain(QString text) {
    // The mnemonic marker takes no room.
    return text.replace(QLatin1String("&&"), QLatin1String("\x01")).remove('&').replace('\x01', '&');
}

QString where(const QWidget* w) {
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QLatin1String(w->metaObject()->className()));
}

int frameOf(const QWidget* w) {
    return w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
}

// What a caption needs beside its box, or an empty string when it fits: a button's text within
// its bevel, a check box's beside its mark, a label's within its margins, a box's within its frame.
QString cut(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    const QSize box = w->size();
    QSize need;
    QString text;
    if (const auto* b = qobject_cast<const QPushButton*>(w)) {
        text = b->text();
        const QSize icon = b->icon().isNull() ? QSize(0, 0) : b->iconSize();
        const int advance = fm.horizontalAdvance(plain(text));
        need = b->inherits("IconAboveButton")
                   ? QSize(std::max(advance, icon.width()), fm.height() + icon.height())
                   : QSize(advance + icon.width(), std::max(fm.height(), icon.height()));
        need += QSize(2 * frameOf(w), 2 * frameOf(w));
    } else if (const auto* b = qobject_cast<const QAbstractButton*>(w)) { // radio and check boxes
        text = b->text();
        const bool radio = b->inherits("QRadioButton");
        const int mark =
            w->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth);
        need = QSize(mark + fm.horizontalAdvance(plain(text)), fm.height());
    } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        text = g->title();
        if (text.isEmpty())
            return {};
        QStyleOptionGroupBox option;
        option.initFrom(g);
        option.text = text;
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.rect = g->rect();
        const QRect title =
            g->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, g);
        need = QSize(title.x() + fm.horizontalAdvance(plain(text)), fm.height());
    } else if (const auto* l = qobject_cast<const QLabel*>(w)) {
        text = l->text();
        if (text.isEmpty() || !l->pixmap().isNull())
            return {};
        const QMargins m = l->contentsMargins();
        need = l->wordWrap()
                   ? QSize(0, l->heightForWidth(box.width()))
                   : QSize(fm.tightBoundingRect(text).right() + 1 + m.left() + m.right(), fm.height());
    } else if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        text = e->text();
        need = QSize(fm.horizontalAdvance(text), fm.height()) + QSize(2 * frameOf(w), 2 * frameOf(w));
    } else if (const auto* c = qobject_cast<const QComboBox*>(w)) {
        text = c->currentText();
        QStyleOptionComboBox option;
        option.initFrom(c);
        option.rect = c->rect();
        const QRect field =
            c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c);
        need = QSize(fm.horizontalAdvance(text) + box.width() - field.width(), fm.height() + 2 * frameOf(w));
    } else {
        return {};
    }
    if (need.width() <= box.width() && need.height() <= box.height())
        return {};
    return QStringLiteral("%1 \"%2\": %3x%4 in %5x%6")
        .arg(where(w), text)
        .arg(need.width())
        .arg(need.height())
        .arg(box.width())
        .arg(box.height());
}

// The faults of one window, shown: captions cut, controls outside their parent.
QStringList faults(QWidget* window) {
    window->show();
    QCoreApplication::processEvents();
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // The controls a window names; the parts of a control are its own business.
        if (!w->isVisibleTo(window) || w->window() != window || w->objectName().isEmpty() ||
            w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QString c = cut(w);
        if (!c.isEmpty())
            out << c;
        const QWidget* parent = w->parentWidget();
        if (!parent->rect().contains(w->geometry()))
            out << QStringLiteral("%1 outside %2").arg(where(w), where(parent));
    }
    window->hide();
    return out;
}

} // namespace

class FontScalingTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFit_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        for (const char* family : {"DejaVu Sans", "Liberation Sans"})
            for (double points : {8.0, 9.0, 10.0, 11.0, 12.0})
                QTest::addRow("%s %g pt", family, points) << QString::fromLatin1(family) << points;
    }

    void captionsFit() {
        QFETCH(QString, family);
        QFETCH(double, points);
        const QFont before = QApplication::font();
        QFont font(family);
        font.setPointSizeF(points);
        QApplication::setFont(font);
        {
            TestPlatform tp;
            Module1 m;
            Form1 w(m, tp.platform);
            w.Form_Load();
            QStringList all;
            all << faults(&w);
            all << faults(&w.form2());
            Form3 logo(m, tp.platform, w);
            logo.Form_Load();
            all << faults(&logo);
            VisuIMG viewer(m, tp.platform, w, std::make_unique<NoRoots>());
            all << faults(&viewer);
            frmAbout about(tp.platform, &w);
            all << faults(&about);
            QApplication::setFont(before);
            QVERIFY2(all.isEmpty(), qPrintable(all.join('\n')));
        }
        QApplication::setFont(before);
    }
};

QTEST_MAIN(FontScalingTest)
#include "tst_fontscaling.moc"
