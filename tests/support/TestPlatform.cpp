#include "TestPlatform.h"

#include "platform/QtPictureLoader.h"

#include <QFileInfo>

MsgAnswer FakeMessageBoxes::show(const MessageRequest& request) {
    shown.append(request);
    if (onShow)
        onShow(request);
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (request.buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
        return request.defaultButton == 2 ? MsgAnswer::Cancel : MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return request.defaultButton == 2 ? MsgAnswer::No : MsgAnswer::Yes;
    case MsgButtons::SaveDiscardCancel:
        return request.defaultButton == 1   ? MsgAnswer::Save
               : request.defaultButton == 2 ? MsgAnswer::Discard
                                            : MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}

static FileDialogResult answer(QQueue<QString>& results) {
    FileDialogResult r;
    const QString path = results.isEmpty() ? QString() : results.dequeue();
    if (path.isEmpty())
        return r;
    r.cancelled = false;
    r.path = path;
    r.fileTitle = QFileInfo(path).fileName();
    return r;
}

FileDialogResult FakeFileDialogs::open(const FileDialogRequest& request) {
    opens.append(request);
    return answer(results);
}

FileDialogResult FakeFileDialogs::save(const FileDialogRequest& request) {
    saves.append(request);
    return answer(results);
}

std::optional<FontChoice> FakeChoiceDialogs::chooseFont(const FontChoice& initial) {
    fontRequests.append(initial);
    return fonts.isEmpty() ? std::nullopt : fonts.dequeue();
}

std::optional<quint32> FakeChoiceDialogs::chooseColour(quint32 initialRgb) {
    colourRequests.append(initialRgb);
    return colours.isEmpty() ? std::nullopt : colours.dequeue();
}

bool FakeChoiceDialogs::printerSetup() {
    ++printerSetups;
    if (onPrinterSetup)
        onPrinterSetup();
    return printerSetupAnswer;
}

void FakeSpooler::addPrinter(const QString& name, int orientation, bool isDefault) {
    order << name;
    defaults[name] = PrinterDefaults{orientation, 1, 1};
    if (isDefault)
        defaultName = name;
}

QList<QueueStatus> FakeSpooler::queues() {
    QList<QueueStatus> out;
    for (const QString& name : order)
        out << queueStatus(name);
    return out;
}

QueueStatus FakeSpooler::queueStatus(const QString& wanted) {
    QMutexLocker lock(&mutex_);
    const QString name = wanted.isEmpty() ? defaultName : wanted;
    QueueStatus q;
    q.name = name;
    if (down)
        q.trouble = SpoolTrouble::ServerUnreachable;
    else if (order.isEmpty())
        q.trouble = SpoolTrouble::NoPrinter;
    else if (!order.contains(name))
        q.trouble = SpoolTrouble::PrinterNotFound;
    else if (queueStates.contains(name))
        q = queueStates.value(name);
    q.isDefault = name == defaultName;
    return q;
}

SubmitResult FakeSpooler::submit(const SpoolDocument& document) {
    QMutexLocker lock(&mutex_);
    submitted << document.queue + QStringLiteral(": ") + document.title;
    SubmitResult r;
    r.trouble = submitTrouble;
    if (submitTrouble == SpoolTrouble::None)
        r.job = ++nextJob_;
    return r;
}

JobStatus FakeSpooler::jobStatus(int) {
    QMutexLocker lock(&mutex_);
    const int call = statusCalls++;
    JobStatus s;
    if (!jobStates.isEmpty())
        s.state = jobStates.value(std::min(call, int(jobStates.size()) - 1));
    return s;
}

bool FakeSpooler::cancelJob(int job) {
    QMutexLocker lock(&mutex_);
    cancelled << job;
    return !cancelRefused;
}

std::optional<PrinterDefaults> FakeSpooler::storedDefaults(const QString& name) {
    if (down || !defaults.contains(name))
        return std::nullopt;
    return defaults.value(name);
}

bool FakeSpooler::storeDefaults(const QString& name, const PrinterDefaults& d, quint32 fields) {
    stores.append({name, fields});
    if (down || !defaults.contains(name))
        return false;
    PrinterDefaults& stored = defaults[name];
    if (fields & PrinterField::Orientation)
        stored.orientation = d.orientation;
    if (fields & PrinterField::Duplex)
        stored.duplex = d.duplex;
    if (fields & PrinterField::PaperSize)
        stored.paperSize = d.paperSize;
    return true;
}

void RecordingPrinterSurface::record(const QString& call) {
    const int index = calls.size();
    calls << call;
    if (failAt == index)
        throw PrinterError("injected failure");
}

static QString num(double v) {
    return QString::number(v, 'g', 10);
}

int RecordingPrinterSurface::orientation() {
    return storedOrientation;
}
void RecordingPrinterSurface::setOrientation(int v) {
    record(QStringLiteral("Orientation=%1").arg(v));
}
void RecordingPrinterSurface::setScaleMode(int v) {
    record(QStringLiteral("ScaleMode=%1").arg(v));
}
void RecordingPrinterSurface::setTransparentText(bool v) {
    record(QStringLiteral("TransparentText=%1").arg(v ? "true" : "false"));
}
void RecordingPrinterSurface::setLineWidthDots(int d) {
    record(QStringLiteral("LineWidth=%1").arg(d));
}
void RecordingPrinterSurface::setFontName(const QString& n) {
    record(QStringLiteral("FontName=") + n);
}
void RecordingPrinterSurface::setFontSize(float p) {
    record(QStringLiteral("FontSize=") + num(p));
}
void RecordingPrinterSurface::setFontBold(bool v) {
    record(QStringLiteral("FontBold=%1").arg(v ? "true" : "false"));
}
void RecordingPrinterSurface::setFontItalic(bool v) {
    record(QStringLiteral("FontItalic=%1").arg(v ? "true" : "false"));
}
void RecordingPrinterSurface::setForeColor(quint32 v) {
    record(QStringLiteral("ForeColor=%1").arg(v));
}
void RecordingPrinterSurface::setCurrentX(double mm) {
    record(QStringLiteral("CurrentX=") + num(mm));
    x_ = mm;
}
void RecordingPrinterSurface::setCurrentY(double mm) {
    record(QStringLiteral("CurrentY=") + num(mm));
    y_ = mm;
}
void RecordingPrinterSurface::setDrawStyle(int s) {
    record(QStringLiteral("DrawStyle=%1").arg(s));
}
void RecordingPrinterSurface::line(double x1, double y1, double x2, double y2, quint32 c) {
    record(QStringLiteral("Line(%1, %2, %3, %4, %5)").arg(num(x1), num(y1), num(x2), num(y2)).arg(c));
}
void RecordingPrinterSurface::fillBox(double x1, double y1, double x2, double y2, quint32 c) {
    record(QStringLiteral("FillBox(%1, %2, %3, %4, %5)").arg(num(x1), num(y1), num(x2), num(y2)).arg(c));
}
void RecordingPrinterSurface::paintPicture(const Picture&, double x, double y, double w, double h) {
    record(QStringLiteral("PaintPicture(%1, %2, %3, %4)").arg(num(x), num(y), num(w), num(h)));
}
void RecordingPrinterSurface::print(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1String("<CR>")).replace(QLatin1Char('\n'), QLatin1String("<LF>"));
    record(QStringLiteral("Print(") + shown + QLatin1Char(')'));
}
double RecordingPrinterSurface::textWidth(const QString& text) {
    int widest = 0;
    for (const QString& line :
         QString(text).replace(QLatin1Char('\n'), QLatin1Char('\r')).split(QLatin1Char('\r')))
        widest = std::max(widest, int(line.size()));
    return 2.0 * widest;
}
double RecordingPrinterSurface::textHeight(const QString& text) {
    return 4.0 * (1 + text.count(QLatin1Char('\r')));
}
void RecordingPrinterSurface::endDoc() {
    record(QStringLiteral("EndDoc"));
    ++endDocs;
    if (toQueue) {
        finished_ = std::make_shared<SpoolDocument>();
        finished_->queue = queue;
        finished_->title = QStringLiteral("Kalimo");
    }
}
void RecordingPrinterSurface::killDoc() {
    calls << QStringLiteral("KillDoc");
    ++killDocs;
    if (failKillDoc)
        throw PrinterError("no printer");
}

void RecordingPrinterSurface::newPage() {
    record(QStringLiteral("NewPage"));
}

std::optional<Picture> FakePictureLoader::load(const QString& path) {
    requests << path;
    if (failing.contains(path))
        return std::nullopt;
    return QtPictureLoader().load(path);
}

long FakeRegistry::openKey(quint32 root, const QString& keyName, quint32 access, quintptr* handle) {
    opened << keyName;
    accessMasks << access;
    if (root != RegistryRoot::LocalMachine || !values.contains(keyName))
        return 2;
    *handle = next_++;
    open_.insert(*handle, keyName);
    return 0;
}

long FakeRegistry::queryValue(quintptr handle, const QString& valueName, quint32* type, QByteArray* buffer,
                              quint32* size) {
    if (!open_.contains(handle))
        return 6;
    const auto key = values.value(open_.value(handle));
    if (!key.contains(valueName))
        return 2;
    const auto [t, bytes] = key.value(valueName);
    if (bytes.size() > buffer->size())
        return 234;
    buffer->replace(0, bytes.size(), bytes);
    *type = t;
    *size = quint32(bytes.size());
    return 0;
}

long FakeRegistry::closeKey(quintptr handle) {
    closed << handle;
    return open_.remove(handle) ? 0 : 6;
}

TestPlatform::TestPlatform() {
    auto m = std::make_unique<FakeMessageBoxes>();
    messages = m.get();
    platform.messages = std::move(m);
    auto f = std::make_unique<FakeFileDialogs>();
    files = f.get();
    platform.files = std::move(f);
    auto d = std::make_unique<FakeChoiceDialogs>();
    dialogs = d.get();
    platform.dialogs = std::move(d);
    auto s = std::make_unique<FakeSpooler>();
    spooler = s.get();
    platform.spooler = std::move(s);
    auto p = std::make_unique<RecordingPrinterSurface>();
    printer = p.get();
    platform.printer = std::move(p);
    auto l = std::make_unique<FakePictureLoader>();
    pictures = l.get();
    platform.pictures = std::move(l);
    auto h = std::make_unique<FakeHelpViewer>();
    help = h.get();
    platform.help = std::move(h);
    auto sh = std::make_unique<FakeShell>();
    shell = sh.get();
    platform.shell = std::move(sh);
    auto r = std::make_unique<FakeRegistry>();
    registry = r.get();
    platform.registry = std::move(r);
    auto e = std::make_unique<FakeEnvironment>();
    environment = e.get();
    platform.environment = std::move(e);
}
