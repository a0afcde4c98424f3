#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where the page of a print without window goes, checked before anything is read or
// written: the output must never destroy an input, a file that is not a PDF, or a device.
struct PdfOutput {
    enum class Kind {
        File,           // a new name, or a PDF file to replace
        StandardOutput, // "-", or a name of the process's own standard output
        Refused         // nothing may be written; refusal says why, in French
    };
    Kind kind = Kind::File;
    QString refusal;

    // inputs: the card and parameter files the same run reads. force lets an existing
    // ordinary file that is not a PDF be replaced; inputs and devices never are.
    static PdfOutput check(const QString& path, const QStringList& inputs, bool force);
};

// Writes the bytes whole to standard output; false when they could not all go out.
bool writeToStandardOutput(const QByteArray& bytes);
