#pragma once

#include <QString>
#include <QStringList>

// Paths as the image viewer builds and shows them.
namespace viewer {

// Folder and file name joined by one "/", none added when the folder already ends with one
// (a root such as "/").
QString joinFolderFile(const QString& folder, const QString& fileName);
// The path as the path label shows it and as it is handed to the main window.
QString shownPath(const QString& fullPath);
// True when path is root itself or lies below it.
bool isUnder(const QString& path, const QString& root);
// The root that holds the path: the longest of the roots that path lies under; empty when
// none does.
QString rootOf(const QStringList& roots, const QString& path);
// The folders from root down to folder, both included; just root when folder is not under it.
QStringList folderChain(const QString& root, const QString& folder);
// The visible folders directly inside folder, as full paths, sorted without regard to case.
QStringList subfolders(const QString& folder);
// The nearest existing folder at or above path; root when there is none below it.
QString existingFolder(const QString& path, const QString& root);

// Where the viewer opens: the folder it showed last in this run, else the program's folder
// when it holds pictures, else the person's pictures folder, else home.
QString startFolder(const QString& lastFolder, const QString& programFolder, const QString& picturesFolder,
                    const QString& home);
// Names in natural order: without regard to case, and runs of digits by their value, so
// that img2 comes before img10.
bool naturalLess(const QString& a, const QString& b);

} // namespace viewer
