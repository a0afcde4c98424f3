// "Code QR de contact..." beside "Logo Icone" in the "Logo" menu, and its dialog: what it
// shows field by field, its size note and warning, and what its two buttons do to the card.
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardChanges.h"
#include "qrcode/ContactCode.h"
#include "qrcode/ContactCodeDialog.h"
#include "qrcode/ContactDetails.h"
#include "qrcode/ContactSummary.h"

#include <QAction>
#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Window() { w.Form_Load(); }
};

void setCard(CardDocument& card) {
    card.zone(1).Text = QStringLiteral("Paul Martin");
    card.zone(2).Text = QStringLiteral("Menuisier\r\nBois & Co");
    card.zone(3).Text =
        QStringLiteral("8 rue du Port\r\nTél. 02 98 76 54 32 - Port. 06 11 22 33 44\r\npaul@bois.fr");
}

// "label value" of each row of the dialog's form.
QStringList shownRows(const ContactCodeDialog& d) {
    QStringList rows;
    const auto* form = d.findChild<QFormLayout*>();
    for (int r = 0; form && r < form->rowCount(); ++r) {
        const auto* label = qobject_cast<QLabel*>(form->itemAt(r, QFormLayout::LabelRole)->widget());
        const auto* value = qobject_cast<QLabel*>(form->itemAt(r, QFormLayout::FieldRole)->widget());
        rows << label->text() + QLatin1Char(' ') + value->text();
    }
    return rows;
}

} // namespace

class CodeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void menuBesideLogoIcone() {
        Window t;
        QStringList menus;
        for (QAction* a : t.w.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"&Fichier", "Lo&go", "?"}));
        QStringList entries;
        for (QAction* a : t.w.Mnu_Logo->actions())
            entries << a->objectName() + QLatin1Char(' ') + a->text();
        QCOMPARE(entries, (QStringList{"Mnu_LogoIcone &Logo Icone", "Mnu_CodeQR Code &QR de contact...",
                                       "Mnu_PasIcone Pa&s d'icone", "Mnu_Redimensionner &Redimensionner"}));
        // The entries beside it are the logo's own commands.
        t.tp.files->chooseNext(QString());
        t.w.findChild<QAction*>("Mnu_LogoIcone")->trigger();
        QCOMPARE(t.tp.files->opens.size(), 1);
        t.w.findChild<QAction*>("Mnu_PasIcone")->trigger();
        QCOMPARE(t.m.card.Logo.Path, QStringLiteral("AUCUN"));
    }

    // The dialog as it opens on a card: every field, then the lines left out; the size of the
    // code the logo's rectangle would give, and a warning when that is too small.
    void fields_data() {
        QTest::addColumn<double>("side");
        QTest::addColumn<bool>("warned");
        QTest::newRow("the start-up logo, 11 mm") << 11.11 << true;
        QTest::newRow("25 mm") << 25.0 << false;
    }
    void fields() {
        QFETCH(double, side);
        QFETCH(bool, warned);
        CardDocument card;
        setCard(card);
        card.Logo.Width = card.Logo.Height = side;
        ContactCodeDialog d(card);
        QCOMPARE(d.windowTitle(), QStringLiteral("Code QR de contact"));
        QCOMPARE(shownRows(d),
                 (QStringList{"Nom complet : Paul Martin", "Prénom : Paul", "Nom de famille : Martin",
                              "Fonction : Menuisier", "Organisation : Bois & Co",
                              "Téléphone : 02 98 76 54 32 (+33298765432)",
                              "Portable : 06 11 22 33 44 (+33611223344)", "E-mail : paul@bois.fr",
                              "Site web : (aucun)", "Non repris : 8 rue du Port"}));
        auto* size = d.findChild<QLabel*>("Taille");
        QVERIFY(size->text().startsWith(codeDescription([&] {
            CardDocument c = card;
            useContactCode(c.Logo);
            return c;
        }())));
        QVERIFY(size->text().contains(QStringLiteral("« Redimensionner »")));
        auto* warning = d.findChild<QLabel*>("Avertissement");
        QCOMPARE(warning->isVisibleTo(&d), warned);
        if (warned)
            QVERIFY(warning->text().startsWith("Le code QR est trop petit"));
        // Reached by the keyboard, named for a screen reader.
        QCOMPARE(d.placeButton()->text(), QStringLiteral("&Placer sur la carte"));
        QCOMPARE(d.cancelButton()->text(), QStringLiteral("&Annuler"));
        QVERIFY(d.placeButton()->isDefault());
        QCOMPARE(d.findChild<QLabel*>("Champ1")->accessibleName(),
                 QStringLiteral("Nom complet : Paul Martin"));
        for (QWidget* control : d.findChildren<QWidget*>())
            if (control->focusPolicy() != Qt::NoFocus)
                QVERIFY2(!control->accessibleName().isEmpty() && !control->accessibleDescription().isEmpty(),
                         qPrintable(control->objectName()));
    }

    void description() {
        CardDocument card;
        setCard(card);
        card.Logo.Width = 30;
        card.Logo.Height = 20;
        useContactCode(card.Logo);
        const int n = contactCodeOf(card).matrix->size;
        QCOMPARE(
            codeDescription(card),
            QStringLiteral("Code de %1 × %1 modules, dans un carré de 20,00 mm (marge comprise) : chaque "
                           "module mesure %2 mm.")
                .arg(n)
                .arg(QString::number(20.0 / (n + 8), 'f', 2).replace('.', ',')));
        card.zone(1).Text = QString(2400, QLatin1Char('B'));
        QVERIFY(codeDescription(card).startsWith("Les coordonnées ("));
    }

    // Placing makes the logo the code and the card modified; cancelling changes nothing.
    void buttons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("placed");
        QTest::newRow("place") << "Placer" << true;
        QTest::newRow("cancel") << "Annuler" << false;
    }
    void buttons() {
        QFETCH(QString, button);
        QFETCH(bool, placed);
        Window t;
        setCard(t.m.card);
        cardchanges::markClean(t.m.card);
        t.w.noteCardChange();
        const double margin = t.m.card.Logo.Left;
        const QRectF box = t.m.card.Logo.boxTwips;
        QVERIFY(!t.w.Picture2->picture().isNull()); // the start-up picture
        bool seen = false;
        QTimer::singleShot(0, &t.w, [&] {
            auto* d = qobject_cast<ContactCodeDialog*>(QApplication::activeModalWidget());
            seen = d != nullptr;
            if (d)
                QTest::mouseClick(d->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        t.w.Mnu_CodeQR->trigger();
        QVERIFY(seen);
        QCOMPARE(showsContactCode(t.m.card.Logo), placed);
        QCOMPARE(t.w.Picture2->picture().isNull(), placed);
        QCOMPARE(t.w.Picture1->measure().code.has_value(), placed);
        // The logo's size and margins place the code.
        QCOMPARE(t.m.card.Logo.Left, margin);
        QCOMPARE(t.m.card.Logo.boxTwips, box);
        QCOMPARE(t.w.isCardModified(), placed);
        QCOMPARE(t.w.isWindowModified(), placed);
    }
};

QTEST_MAIN(CodeDialogTest)
#include "tst_codedialog.moc"
