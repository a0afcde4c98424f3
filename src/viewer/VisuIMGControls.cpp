// Builds the image viewer's controls at their places (twips, 15 per pixel).
#include "app/CardModel.h"
#include "viewer/DriveList.h"
#include "viewer/FileList.h"
#include "viewer/FilePattern.h"
#include "viewer/FolderList.h"
#include "viewer/PicturePreview.h"
#include "viewer/PreviewLoading.h"
#include "viewer/VisuIMG.h"

#include "app/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

using controls::label;
using controls::make;
using controls::twips;

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const controls::Twips& geometry) {
    auto* b = controls::button(parent, name, caption, geometry);
    // Enter in the pattern box must not press a button.
    b->setAutoDefault(false);
    return b;
}

constexpr int ColumnWidth = 2895;
constexpr int Right = 3255;

} // namespace

void VisuIMG::buildControls() {
    controls::setFixedTwipsSize(this, 6990, 5655);

    Label2 = label(this, "Label2", QStringLiteral("Lecteur :"), twips(120, 120, ColumnWidth, 255));
    Drive1 = make<DriveList>(this, "Drive1", twips(120, 375, ColumnWidth, 315));
    Drive1->setRoots(roots_->roots());
    Label3 = label(this, "Label3", QStringLiteral("Dossier :"), twips(120, 780, ColumnWidth, 255));
    Dir1 = make<FolderList>(this, "Dir1", twips(120, 1035, ColumnWidth, 1830));
    Label4 = label(this, "Label4", QStringLiteral("Sélection :"), twips(120, 2955, ColumnWidth, 255));
    Combo1 = make<QComboBox>(this, "Combo1", twips(120, 3210, ColumnWidth, 315));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(viewer::initialPatternText());
    File1 = make<FileList>(this, "File1", twips(120, 3615, ColumnWidth, 1920));
    File1->setPattern(viewer::initialFilePattern());

    Label5 =
        label(this, "Label5", QStringLiteral("Images"), twips(Right, 120, viewer::LargePreviewTwips, 255));
    QFont bold = Label5->font();
    bold.setBold(true);
    Label5->setFont(bold);
    Open = make<PicturePreview>(this, "Open",
                                twips(Right, 375, viewer::LargePreviewTwips, viewer::LargePreviewTwips));
    // As wide as the column it stands in; a longer path is elided, whole in the tooltip.
    Label1 = make<QLabel>(this, "Label1", twips(Right, 4065, 6990 - Right - 120, 255));
    Image1 = make<PicturePreview>(this, "Image1",
                                  twips(Right, 4800, viewer::SmallPreviewTwips, viewer::SmallPreviewTwips));
    Command2 = button(this, "Command2", QStringLiteral("&Copier"), twips(4335, 5055, 1215, 480));
    Command2->setEnabled(false);
    Command1 = button(this, "Command1", QStringLiteral("&Quitter"), twips(5655, 5055, 1215, 480));
    controls::fitToFont(this);
}
