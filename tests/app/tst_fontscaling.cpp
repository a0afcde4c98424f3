// The four windows and the About box at the desktop font sizes people use: every caption,
// button text and status panel whole within its box, every control within its window.
#include "TestPlatform.h"
#include "about/DonationPicture.h"
#include "about/frmAbout.h"
#include "app/CardPreview.h"
#include "app/Controls.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "setup/Form2.h"
#include "viewer/RootSource.h"
#include "viewer/VisuIMG.h"

#include <QAbstractButton>
#include <QAction>
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

    // With the font the layout is drawn for, it stays at its places in twips; a larger font
    // makes the window and its card larger, never cutting the card's proportions.
    void drawnFontKeepsTwips() {
        const QFont before = QApplication::font();
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(9);
        QApplication::setFont(font);
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        w.show();
        QCoreApplication::processEvents();
        QCOMPARE(controls::scaleOf(&w), 1.0);
        QCOMPARE(w.Command4->geometry(), QRect(7260 / 15, 5460 / 15, 1635 / 15, 450 / 15));
        QCOMPARE(w.client->size(), QSize(9015 / 15, 6675 / 15));
        QCOMPARE(w.Picture1->scale(), 1.0);
        const QSize drawn = w.size();

        font.setPointSizeF(12);
        QApplication::setFont(font); // the desktop's font changes while the window is open
        QCoreApplication::processEvents();
        const double scale = controls::scaleOf(&w);
        QVERIFY2(scale > 1.2 && scale < 1.6, qPrintable(QString::number(scale)));
        QCOMPARE(w.client->size(), QSize(int(9015 * scale / 15), int(6675 * scale / 15)));
        QCOMPARE(w.Picture1->scale(), scale);
        QCoreApplication::processEvents();
        QVERIFY(w.size().width() > drawn.width() && w.size().height() > drawn.height());
        const QRect logo = w.Picture2->geometry();
        QCOMPARE(logo.width(), logo.height());
        QVERIFY(qAbs(logo.width() - 630 * scale / 15) <= 1);
        const QStringList all = faults(&w) + faults(&w.form2());
        QApplication::setFont(before);
        QVERIFY2(all.isEmpty(), qPrintable(all.join('\n')));
    }

    // A window of fixed design keeps its size (the window manager offers no maximising that
    // would leave the controls in a corner), whatever its font.
    void windowsKeepTheirSize_data() {
        QTest::addColumn<double>("points");
        QTest::newRow("9 pt") << 9.0;
        QTest::newRow("12 pt") << 12.0;
    }

    void windowsKeepTheirSize() {
        QFETCH(double, points);
        const QFont before = QApplication::font();
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(points);
        QApplication::setFont(font);
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        Form3 logo(m, tp.platform, w);
        VisuIMG viewer(m, tp.platform, w, std::make_unique<NoRoots>());
        frmAbout about(tp.platform, &w);
        for (QWidget* window : std::initializer_list<QWidget*>{&w, &w.form2(), &logo, &viewer, &about}) {
            window->show();
            QCoreApplication::processEvents();
            QVERIFY2(window->minimumSize() == window->maximumSize() &&
                         window->size() == window->minimumSize(),
                     qPrintable(window->objectName()));
            window->hide();
        }
        QApplication::setFont(before);
    }

    // The program's own icons stay sharp on a screen of twice the density.
    void iconsSharpAtTwice() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        QList<std::pair<QString, QIcon>> icons;
        for (const QAction* a : std::as_const(w.toolbarButtons))
            if (!a->isSeparator())
                icons.append({a->toolTip(), a->icon()});
        icons.append({QStringLiteral("Form2.Command1"), w.form2().Command1->icon()});
        QCOMPARE(icons.size(), 13);
        for (const auto& [name, icon] : icons) {
            const QPixmap twice = icon.pixmap(QSize(24, 24), 2.0);
            QVERIFY2(twice.size() == QSize(48, 48), qPrintable(name));
            QCOMPARE(twice.deviceIndependentSize(), QSizeF(24, 24));
        }
        // The About box's drawn donation button fills its whole picture at twice the density.
        const QImage donation = donationPicture(QApplication::font(), 2);
        QCOMPARE(donation.size(), QSize(200, 88));
        QCOMPARE(donation.deviceIndependentSize(), QSizeF(100, 44));
        for (const QPoint at : {QPoint(190, 44), QPoint(100, 80), QPoint(10, 44)})
            QVERIFY2(qAlpha(donation.pixel(at)) == 255,
                     qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    }
};

QTEST_MAIN(FontScalingTest)
#include "tst_fontscaling.moc"
