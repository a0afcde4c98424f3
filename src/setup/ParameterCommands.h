#pragma once

#include <QString>

struct Module1;
struct Platform;
class Form1;

// Loading and saving parameter files, from the main window's menu or from the set-up
// dialog; the dialog is reached through the main window, which creates it when needed.
class ParameterCommands {
public:
    ParameterCommands(Module1& module, Platform& platform, Form1& main);

    // Asks for a file and loads it; a cancelled choice names the built-in set.
    void load();
    // Loads a shipped parameter file as if the person had chosen it in the open dialog.
    bool loadPreset(const QString& path, const QString& title);
    // Asks for a file name and writes the dialog's values to it.
    void save();

    // Reads the file into the layout and shows it in the dialog; false, after a message that
    // says where reading stopped, when the file could not be read to its last field (what was
    // read before stays in the layout and shows in the dialog).
    bool OpenFileCONF(const QString& file);
    // Takes the dialog's values into the layout and writes it; a failure is reported here.
    void SaveFileConfig(const QString& file);

private:
    Module1& m_;
    Platform& p_;
    Form1& main_;
};
