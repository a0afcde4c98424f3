#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QMutex>
#include <QQueue>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <functional>

// Records every box shown; answers from a script, else the box's default button.
class FakeMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const MessageRequest& request) override;
    QList<MessageRequest> shown;
    QQueue<MsgAnswer> answers;
    // Called while the box is "open", for tests that look at the state at that moment.
    std::function<void(const MessageRequest&)> onShow;
};

class FakeFileDialogs : public FileDialogs {
public:
    FileDialogResult open(const FileDialogRequest& request) override;
    FileDialogResult save(const FileDialogRequest& request) override;
    // A path to choose, or an empty string for a cancel.
    void chooseNext(const QString& path) { results.enqueue(path); }
    QQueue<QString> results;
    QList<FileDialogRequest> opens;
    QList<FileDialogRequest> saves;
};

class FakeChoiceDialogs : public ChoiceDialogs {
public:
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<quint32> chooseColour(quint32 initialRgb) override;
    bool printerSetup() override;
    QQueue<std::optional<FontChoice>> fonts;
    QQueue<std::optional<quint32>> colours;
    QList<FontChoice> fontRequests;
    QList<quint32> colourRequests;
    int printerSetups = 0;
    bool printerSetupAnswer = false;
    std::function<void()> onPrinterSetup;
};

// An in-memory spooler: printers with their stored defaults.
class FakeSpooler : public Spooler {
public:
    QStringList printers() override { return order; }
    QString defaultPrinter() override { return defaultName; }
    QString currentPrinter() override { return current.isEmpty() ? defaultName : current; }
    void setCurrentPrinter(const QString& name) override { current = name; }
    std::optional<PrinterDefaults> storedDefaults(const QString& name) override;
    bool storeDefaults(const QString& name, const PrinterDefaults& defaults, quint32 fields) override;
    QString serverName() override { return server; }

    void addPrinter(const QString& name, int orientation = 1, bool isDefault = true);

    // Jobs. Called from the hand-off's worker thread: the script is set before, read after.
    QList<QueueStatus> queues() override;
    QueueStatus queueStatus(const QString& name) override;
    SubmitResult submit(const SpoolDocument& document) override;
    JobStatus jobStatus(int job) override;
    bool cancelJob(int job) override;
    QMap<QString, QueueStatus> queueStates; // by name; others: accepting and idle when installed
    SpoolTrouble submitTrouble = SpoolTrouble::None;
    QList<JobState> jobStates; // one per jobStatus call; the last one repeats
    bool cancelRefused = false;
    std::atomic<int> statusCalls{0};
    QStringList submitted; // "queue: title"
    QList<int> cancelled;

    QStringList order;
    QString defaultName;
    QString current;
    QMap<QString, PrinterDefaults> defaults;
    bool down = false; // the spooler cannot be reached
    QString server = QStringLiteral("/run/cups/cups.sock");
    QList<QPair<QString, quint32>> stores;

private:
    QMutex mutex_;
    int nextJob_ = 41;
};

// Records every call with its arguments as "name(arg, arg)"; text metrics are fixed:
// 2 mm per character, 4 mm per line.
class RecordingPrinterSurface : public PrinterSurface {
public:
    int orientation() override;
    void setOrientation(int value) override;
    void setScaleMode(int value) override;
    void setTransparentText(bool value) override;
    void setLineWidthDots(int dots) override;
    void setFontName(const QString& name) override;
    void setFontSize(float points) override;
    void setFontBold(bool value) override;
    void setFontItalic(bool value) override;
    void setForeColor(quint32 value) override;
    void setCurrentX(double mm) override;
    void setCurrentY(double mm) override;
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setDrawStyle(int style) override;
    void line(double x1, double y1, double x2, double y2, quint32 colour) override;
    void fillBox(double x1, double y1, double x2, double y2, quint32 colour) override;
    void paintPicture(const Picture& picture, double x, double y, double width, double height) override;
    void print(const QString& text) override;
    double textWidth(const QString& text) override;
    double textHeight(const QString& text) override;
    void endDoc() override;
    void killDoc() override;
    void newPage() override;

    QStringList calls;
    // Throw PrinterError at the call with this index (0-based, counting every call); -1 never.
    int failAt = -1;
    // Throw at this call of killDoc too, as a surface with no printer does.
    bool failKillDoc = false;
    int storedOrientation = 1;
    // EndDoc finishes a page for this queue (takeDocument), as a surface on a printer does.
    bool toQueue = false;
    QString queue = QStringLiteral("bureau");
    std::shared_ptr<SpoolDocument> takeDocument() override { return std::move(finished_); }
    int endDocs = 0;
    int killDocs = 0;

private:
    void record(const QString& call);
    std::shared_ptr<SpoolDocument> finished_;
    double x_ = 0;
    double y_ = 0;
};

// Real files through Qt's image plugins, unless a path is scripted to fail.
class FakePictureLoader : public PictureLoader {
public:
    std::optional<Picture> load(const QString& path) override;
    QStringList requests;
    QStringList failing;
};

class FakeHelpViewer : public HelpViewer {
public:
    void show(const QString& helpFile, int command) override {
        lastFile = helpFile;
        lastCommand = command;
        ++count;
    }
    QString lastFile;
    int lastCommand = 0;
    int count = 0;
};

class FakeShell : public Shell {
public:
    void openUrl(const QString& url) override { urls << url; }
    void newMail(const QString& mailtoUrl) override { mails << mailtoUrl; }
    bool startProgram(const QString& path) override {
        started << path;
        return startable.contains(path);
    }
    QString findProgram(const QString& name) override { return programs.value(name); }
    bool fileExists(const QString& path) override { return existing.contains(path); }
    QStringList urls, mails, started, startable, existing;
    QMap<QString, QString> programs;
};

// Scripted registry values: key path -> value name -> (type, bytes).
class FakeRegistry : public Registry {
public:
    long openKey(quint32 root, const QString& keyName, quint32 access, quintptr* handle) override;
    long queryValue(quintptr handle, const QString& valueName, quint32* type, QByteArray* buffer,
                    quint32* size) override;
    long closeKey(quintptr handle) override;
    void setValue(const QString& key, const QString& name, quint32 type, const QByteArray& bytes) {
        values[key][name] = {type, bytes};
    }
    QMap<QString, QMap<QString, QPair<quint32, QByteArray>>> values;
    QStringList opened;
    QList<quintptr> closed;
    QList<quint32> accessMasks;

private:
    QMap<quintptr, QString> open_;
    quintptr next_ = 100;
};

class FakeEnvironment : public Environment {
public:
    QTime currentTime() const override { return time; }
    QDate currentDate() const override { return date; }
    QSize screenSizeTwips() const override { return screenTwips; }
    QString commandArgument() const override { return argument; }
    QString programFolder() const override { return programDir; }
    QString currentFolder() const override { return currentDir; }
    QString systemName() const override { return system; }
    QString fontFor(const QString& family) const override { return fonts.value(family, family); }
    QTime time{9, 5, 7};
    QDate date{2026, 12, 6};
    QSize screenTwips{1920 * 15, 1080 * 15};
    QString argument;
    QString programDir = QStringLiteral("/opt/kalimo");
    QString currentDir = QStringLiteral("/home/marie/cartes");
    QString system = QStringLiteral("Debian GNU/Linux 12 (bookworm), noyau linux 6.1.0 (x86_64)");
    QMap<QString, QString> fonts{{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                                 {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
                                 {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")}};
};

// A Platform made of the doubles above, with typed access to each.
struct TestPlatform {
    TestPlatform();
    Platform platform;
    FakeMessageBoxes* messages;
    FakeFileDialogs* files;
    FakeChoiceDialogs* dialogs;
    FakeSpooler* spooler;
    RecordingPrinterSurface* printer;
    FakePictureLoader* pictures;
    FakeHelpViewer* help;
    FakeShell* shell;
    FakeRegistry* registry;
    FakeEnvironment* environment;
};
