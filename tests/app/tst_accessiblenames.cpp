// What a screen reader finds in every window: each control has a French name and a description
// of its own, the measure boxes and the card cells are told apart, and what a click chooses on
// the card and on the sheet can be pressed through accessibility.
#include "TestPlatform.h"
#include "about/AboutText.h"
#include "about/LinkLabel.h"
#include "about/frmAbout.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "setup/Form2.h"
#include "setup/SheetPicture.h"
#include "viewer/VisuIMG.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolBar>
#include <QtTest>
#include <QtWidgets>

namespace {

struct Windows {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    std::unique_ptr<Form3> logo;
    std::unique_ptr<VisuIMG> viewer;
    std::unique_ptr<frmAbout> about;
    Windows() {
        w.Form_Load();
        logo = std::make_unique<Form3>(m, tp.platform, w);
        logo->Form_Load();
        viewer = std::make_unique<VisuIMG>(m, tp.platform, w);
        about = std::make_unique<frmAbout>(tp.platform);
    }
    QWidget* window(const QString& name) {
        if (name == "Form1")
            return &w;
        if (name == "Form2")
            return &w.form2();
        if (name == "Form3")
            return logo.get();
        if (name == "VisuIMG")
            return viewer.get();
        return about.get();
    }
};

// A part of a control (a combo box's editor, a list's scroll bars) or of Qt's own furniture.
bool inner(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w; p && p != window; p = p->parentWidget())
        if (p->objectName().startsWith(QLatin1String("qt_")) || p->isWindow())
            return true;
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p))
            return true;
    return false;
}

// What a person works with: takes the focus, or is pressed.
bool isControl(const QWidget* w) {
    return w->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const PressableLabel*>(w);
}

QList<QWidget*> controlsOf(QWidget* window) {
    QList<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (isControl(w) && !inner(w, window))
            out << w;
    return out;
}

QString said(QWidget* w, QAccessible::Text t) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(t) : QStringLiteral("(aucune interface)");
}

void press(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    QVERIFY(i && i->actionInterface());
    QCOMPARE(i->role(), QAccessible::Button);
    QVERIFY(i->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT
private slots:
    // Every control of every window: a name and a description, neither its program name, and no
    // two controls of a window with the same name (the toolbar repeats the buttons' commands).
    void everyControlIsNamed_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("count"); // so that a control gone or added unnamed is seen
        QTest::newRow("main window") << "Form1" << 31;
        QTest::newRow("print set-up") << "Form2" << 27;
        QTest::newRow("logo size") << "Form3" << 9;
        QTest::newRow("image viewer") << "VisuIMG" << 6;
        QTest::newRow("about") << "frmAbout" << 6;
    }
    void everyControlIsNamed() {
        QFETCH(QString, window);
        QFETCH(int, count);
        Windows t;
        QWidget* shown = t.window(window);
        const QList<QWidget*> controls = controlsOf(shown);
        QCOMPARE(controls.size(), count);
        QMap<QString, QString> byName;
        for (QWidget* c : controls) {
            const QString id = c->objectName().isEmpty() ? QString::fromLatin1(c->metaObject()->className())
                                                         : c->objectName();
            const QString name = said(c, QAccessible::Name).trimmed();
            const QString description = said(c, QAccessible::Description).trimmed();
            QVERIFY2(!name.isEmpty(), qPrintable(id));
            QVERIFY2(name != c->objectName(), qPrintable(id));
            QVERIFY2(!description.isEmpty(), qPrintable(id + ": " + name));
            QVERIFY2(description != c->objectName(), qPrintable(id));
            // A name borrowed from the frame around it says where the control is, not what.
            for (QWidget* p = c->parentWidget(); p != shown; p = p->parentWidget())
                if (auto* frame = qobject_cast<QGroupBox*>(p))
                    QVERIFY2(name != frame->title().remove('&').trimmed(), qPrintable(id + ": " + name));
            if (qobject_cast<QToolBar*>(c->parentWidget()))
                continue;
            QVERIFY2(!byName.contains(name), qPrintable(id + " and " + byName.value(name) + ": " + name));
            byName.insert(name, id);
        }
    }

    // The names people hear where the boxes look alike: the measures by their measure, the cells
    // and the zones by their number, the bars by what they set.
    void namesWhereBoxesLookAlike_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const char* rows[][3] = {
            {"Form2", "Text1", "Marge gauche"},
            {"Form2", "Text2", "Séparateur horizontal"},
            {"Form2", "Text3", "Marge haute"},
            {"Form2", "Text4", "Séparateur vertical"},
            {"Form2", "Text5", "Largeur de la carte"},
            {"Form2", "Text6", "Hauteur de la carte"},
            {"Form2", "Text7", "Nombre de cartes identiques"},
            {"Form2", "Label1", "Carte 1"},
            {"Form2", "Label2", "Carte 2"},
            {"Form2", "Label9", "Carte 9"},
            {"Form2", "Label10", "Carte 10"},
            {"Form1", "Label1", "Zone de texte 1"},
            {"Form1", "Label2", "Zone de texte 2"},
            {"Form1", "Label3", "Zone de texte 3"},
            {"Form1", "Picture2", "Logo de la carte"},
            {"Form3", "HScroll1", "Largeur de l'image"},
            {"Form3", "VScroll1", "Hauteur de l'image"},
            {"Form3", "HScroll2", "Marge droite"},
            {"Form3", "VScroll2", "Marge haute"},
        };
        for (const auto& [window, control, name] : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(window, control)))
                << QString::fromLatin1(window) << QString::fromLatin1(control) << QString::fromUtf8(name);
    }
    void namesWhereBoxesLookAlike() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, name);
        Windows t;
        QWidget* c = t.window(window)->findChild<QWidget*>(control);
        QVERIFY(c);
        QCOMPARE(said(c, QAccessible::Name), name);
    }

    // A zone's value is its text, as the card shows it.
    void zoneValueIsItsText() {
        Windows t;
        t.m.card.zone(2).Text = QStringLiteral("Marie Dupont\r\nNotaire");
        t.w.refreshZone(2);
        QCOMPARE(said(t.w.Label2, QAccessible::Value), QStringLiteral("Marie Dupont\nNotaire"));
    }

    // Pressed through accessibility, a zone is selected, the logo asks for a picture, a cell is
    // chosen (only while the cells answer clicks) and a link opens.
    void pressActions() {
        Windows t;
        press(t.w.Label3);
        QCOMPARE(int(t.m.SelectedZone), 3);
        QVERIFY(t.w.Label3->isOpaque() && !t.w.Label1->isOpaque());
        press(t.w.Label2);
        QCOMPARE(int(t.m.SelectedZone), 2);
        press(t.w.Picture2);
        QCOMPARE(t.tp.files->opens.size(), 1);

        Form2& setup = t.w.form2();
        press(setup.Label[6]);
        QCOMPARE(int(t.m.request.position), 0);
        QTest::mouseClick(setup.Option2, Qt::LeftButton);
        press(setup.Label[6]);
        QCOMPARE(int(t.m.request.position), 7);
        QVERIFY(setup.Command1->isEnabled());

        press(t.about->Label3);
        press(t.about->lblDisclaimer);
        press(t.about->Image2);
        QCOMPARE(t.tp.shell->urls, (QStringList{about::siteAddress(), about::donationAddress()}));
        QCOMPARE(t.tp.shell->mails, QStringList{about::mailTarget()});
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "tst_accessiblenames.moc"
