#pragma once

#include <QDialog>
#include <QHash>
#include <memory>

struct Module1;
struct Platform;
class Form1;
class RootSource;
class DriveList;
class FolderList;
class FileList;
class PicturePreview;
class QComboBox;
class QLabel;
class QPushButton;

// The image viewer: browses the roots and folders for pictures, previews one and hands its
// path to the main window's paste command. Shown modally; closing it discards it.
class VisuIMG : public QDialog {
    Q_OBJECT
public:
    // The roots come from the machine's mounted file systems.
    VisuIMG(Module1& module, Platform& platform, Form1& main);
    VisuIMG(Module1& module, Platform& platform, Form1& main, std::unique_ptr<RootSource> roots);
    ~VisuIMG() override;

    void Form_Activate();
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click();
    void Combo1_Change();
    void File1_Click();
    void Command2_Click();
    void Command1_Click();

    // The last root the root list showed without error.
    QString rememberedDrive() const { return remembered_; }
    // The path of the file selected, as it is on disk; empty when none is.
    QString selectedPath() const { return realPath_; }

    QLabel* Label2 = nullptr;
    DriveList* Drive1 = nullptr;
    QLabel* Label3 = nullptr;
    FolderList* Dir1 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* Combo1 = nullptr;
    FileList* File1 = nullptr;
    QLabel* Label5 = nullptr;
    PicturePreview* Open = nullptr;
    QLabel* Label1 = nullptr;
    PicturePreview* Image1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    void buildControls();
    void wireControls();
    // Keys, tab order and what a screen reader says of each control.
    void setUpAccess();
    // The opening steps.
    void Form_Load();
    void applyPattern();
    void showPath(const QString& path);

    Module1& m_;
    Platform& p_;
    Form1& main_;
    std::unique_ptr<RootSource> roots_;
    QString remembered_;
    QString realPath_;
    // The folder last shown on each root, where that root opens again.
    QHash<QString, QString> lastFolder_;
};
