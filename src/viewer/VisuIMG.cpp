#include "viewer/VisuIMG.h"

#include "app/Form1.h"
#include "app/Module1.h"
#include "app/SharedProcedures.h"
#include "platform/Platform.h"
#include "viewer/DriveList.h"
#include "viewer/FileList.h"
#include "viewer/FilePattern.h"
#include "viewer/FolderList.h"
#include "viewer/MountedRoots.h"
#include "viewer/PicturePreview.h"
#include "viewer/PreviewLoading.h"
#include "viewer/ViewerPaths.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>

VisuIMG::VisuIMG(Module1& module, Platform& platform, Form1& main)
    : VisuIMG(module, platform, main, std::make_unique<MountedRoots>()) {}

VisuIMG::VisuIMG(Module1& module, Platform& platform, Form1& main, std::unique_ptr<RootSource> roots)
    : QDialog(&main), m_(module), p_(platform), main_(main), roots_(std::move(roots)) {
    setObjectName(QStringLiteral("VisuIMG"));
    setWindowTitle(QStringLiteral("Visionneuse d'images"));
    setModal(true);
    buildControls();
    wireControls();
    setUpAccess();
    Form_Load();
}

VisuIMG::~VisuIMG() = default;

void VisuIMG::wireControls() {
    connect(Drive1, &DriveList::driveChanged, this, &VisuIMG::Drive1_Change);
    connect(Dir1, &FolderList::pathChanged, this, &VisuIMG::Dir1_Change);
    connect(Combo1, &QComboBox::activated, this, &VisuIMG::Combo1_Click);
    connect(Combo1, &QComboBox::editTextChanged, this, &VisuIMG::Combo1_Change);
    connect(File1, &FileList::fileClicked, this, &VisuIMG::File1_Click);
    connect(Command2, &QPushButton::clicked, this, &VisuIMG::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &VisuIMG::Command1_Click);
}

void VisuIMG::Form_Load() {
    CentrerFeuille(*this, *p_.environment);

    const QString folder = viewer::startFolder(
        m_.viewerFolder, p_.environment->programFolder(),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), QDir::homePath());
    Drive1->setDrive(folder);
    remembered_ = Drive1->drive();

    if (!Drive1->drive().isEmpty())
        Dir1->setPath(viewer::existingFolder(folder, Drive1->drive()));

    {
        // Filling the list leaves the text the box shows as it is.
        const QSignalBlocker quiet(Combo1);
        const QString text = Combo1->currentText();
        Combo1->addItems(viewer::patternEntries());
        Combo1->setCurrentIndex(-1);
        Combo1->setEditText(text);
    }

    Command2->setToolTip(QStringLiteral("Copie l'image sélectionnée en mémoire"));
}

bool VisuIMG::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(e);
}

void VisuIMG::Form_Activate() {
    remembered_ = Drive1->drive();
}

void VisuIMG::Drive1_Change() {
    const QString root = Drive1->drive();
    if (!roots_->canRead(root)) {
        // Taken before the message: the window is activated again when the box closes, and
        // activation remembers the root shown, the unreadable one.
        const QString previous = remembered_;
        p_.messages->error(QStringLiteral("Lecteur indisponible ou non prêt !"));
        // Showing the previous root again runs this handling once more, for that root.
        Drive1->setDrive(previous);
        return;
    }
    Dir1->setTop(root);
    Dir1->setPath(viewer::existingFolder(lastFolder_.value(root, root), root));
    remembered_ = root;
}

void VisuIMG::Dir1_Change() {
    Open->setPicture(Picture());
    Image1->setPicture(Open->picture());
    Command2->setEnabled(false);
    showPath(QString());
    File1->setFolder(Dir1->path());
    lastFolder_.insert(Drive1->drive(), Dir1->path());
    m_.viewerFolder = Dir1->path();
}

void VisuIMG::Combo1_Click() {
    applyPattern();
}

void VisuIMG::Combo1_Change() {
    applyPattern();
}

void VisuIMG::applyPattern() {
    File1->setPattern(Combo1->currentText());
    File1->refresh();
}

void VisuIMG::File1_Click() {
    if (!File1->folder().isEmpty())
        Command2->setEnabled(true);
    const QString path = viewer::joinFolderFile(File1->folder(), File1->fileName());
    showPath(path);
    // Loaded by its name as it is on disk: the upper-case text may name no file here.
    const std::optional<Picture> picture = viewer::loadPreview(*p_.pictures, path, Open->pixelSize());
    if (!picture) {
        p_.messages->error(QStringLiteral("Format d'image non supporté !"));
        return;
    }
    Open->setPicture(*picture);
    Image1->setPicture(*picture);
}

void VisuIMG::showPath(const QString& path) {
    // Shown in upper case; the path itself is kept to hand over the very file that was shown,
    // which the upper-case text cannot tell from one whose name differs only in case.
    realPath_ = path;
    const QString shown = viewer::shownPath(path);
    Label1->setToolTip(shown);
    // A long path is cut in its middle rather than run off the window.
    Label1->setText(Label1->fontMetrics().elidedText(shown, Qt::ElideMiddle, Label1->width()));
}

void VisuIMG::Command2_Click() {
    m_.CopiedImagePath = realPath_;
    main_.Command11->setEnabled(true);
}

void VisuIMG::Command1_Click() {
    close();
}
