#include "setup/ParameterCommands.h"

#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/Platform.h"
#include "platform/SaveChoice.h"
#include "setup/Form2.h"
#include "setup/ParameterFile.h"
#include "setup/SetupTexts.h"

namespace {

FileDialogRequest parameterDialog(const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("Fichiers de configuration (*.par *.PAR)|*.par;*.PAR");
    request.filterIndex = 1;
    return request;
}

} // namespace

ParameterCommands::ParameterCommands(Module1& module, Platform& platform, Form1& main)
    : m_(module), p_(platform), main_(main) {}

void ParameterCommands::load() {
    FileDialogRequest request = parameterDialog(QStringLiteral("Ouvrir"));
    request.initialName = m_.parameterFile.lastPath;
    const FileDialogResult chosen = p_.files->open(request);
    m_.parameterFile.lastPath = chosen.cancelled ? QString() : chosen.path;
    if (m_.parameterFile.lastPath.isEmpty()) {
        main_.setForm2Caption(setup::dialogCaption(QString::fromLatin1(BuiltInLayoutName)));
        return;
    }
    // A file that cannot be read to its end has said so; the caption keeps its name.
    if (!OpenFileCONF(m_.parameterFile.lastPath))
        return;
    m_.parameterFile.fileLoaded = true;
    m_.parameterFile.loadedTitle = chosen.fileTitle;
    main_.setForm2Caption(setup::dialogCaption(chosen.fileTitle.toUpper()));
}

bool ParameterCommands::loadPreset(const QString& path, const QString& title) {
    m_.parameterFile.lastPath = path;
    if (!OpenFileCONF(path))
        return false;
    m_.parameterFile.fileLoaded = true;
    m_.parameterFile.loadedTitle = title;
    main_.setForm2Caption(setup::dialogCaption(title.toUpper()));
    return true;
}

void ParameterCommands::save() {
    FileDialogRequest request = parameterDialog(QStringLiteral("Enregistrer"));
    request.askBeforeReplacing = true;
    request.defaultSuffix = QStringLiteral("par");
    // A name typed without ".par" gets it; replacing is asked for that final name.
    const FileDialogResult chosen = chooseSavePath(*p_.files, *p_.messages, request);
    if (chosen.cancelled)
        return;
    m_.parameterFile.lastPath = chosen.path;
    SaveFileConfig(m_.parameterFile.lastPath);
    main_.setForm2Caption(setup::dialogCaption(chosen.fileTitle.toUpper()));
}

bool ParameterCommands::OpenFileCONF(const QString& file) {
    Form2& dialog = main_.form2();
    // The ticks the dialog shows are the flags a load that stops early keeps.
    dialog.takeFlags();
    int stoppedAt = 0;
    const bool complete = parameterfile::read(file, m_.layout, &stoppedAt);
    // The boxes show what will print, the fields a stopped load applied included.
    if (complete || stoppedAt > 1) {
        dialog.showMeasures(true);
        dialog.showFlags();
    }
    if (!complete)
        p_.messages->error(setup::parameterLoadStopped(file, stoppedAt));
    return complete;
}

void ParameterCommands::SaveFileConfig(const QString& file) {
    Form2& dialog = main_.form2();
    dialog.takeFlags();
    dialog.takeMeasures();
    if (!parameterfile::write(file, m_.layout))
        p_.messages->error(QStringLiteral("Erreur de sauvegarde!"));
}
