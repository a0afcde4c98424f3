#include "print/SpoolHandOff.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

SpoolOutcome outcome(SpoolOutcome::Kind kind, const QString& message, const QString& queue, int job = 0) {
    SpoolOutcome o;
    o.kind = kind;
    o.message = message;
    o.queue = queue;
    o.job = job;
    return o;
}

QString jobText(int job) {
    return QStringLiteral("Le travail n° %1").arg(job);
}

} // namespace

int exitCodeFor(const SpoolOutcome& o) {
    switch (o.kind) {
    case SpoolOutcome::Kind::Printing:
        return 0;
    case SpoolOutcome::Kind::Waiting:
        return 3;
    default:
        return 1;
    }
}

QString spoolTroubleMessage(SpoolTrouble trouble, const QString& queue) {
    switch (trouble) {
    case SpoolTrouble::None:
        return {};
    case SpoolTrouble::ServerUnreachable:
        return QStringLiteral("Le serveur d'impression ne répond pas : vérifiez que le service "
                              "d'impression (CUPS) est démarré.");
    case SpoolTrouble::NoPrinter:
        return QStringLiteral("Aucune imprimante n'est installée.");
    case SpoolTrouble::PrinterNotFound:
        return queue.isEmpty() ? QStringLiteral("Aucune imprimante par défaut n'est choisie.")
                               : QStringLiteral("Imprimante ") + queue + QStringLiteral(" non trouvée !");
    case SpoolTrouble::QueueRefusing:
        return QStringLiteral("La file ") + queue + QStringLiteral(" refuse les travaux d'impression.");
    case SpoolTrouble::StoppedAnswering:
        return QStringLiteral(
            "Le serveur d'impression a cessé de répondre : le travail n'a pas été imprimé.");
    case SpoolTrouble::Refused:
        break;
    }
    return QStringLiteral("Le serveur d'impression a refusé le travail.");
}

SpoolOutcome SpoolHandOff::run(const SpoolDocument& document, const std::atomic<bool>& cancel,
                               const std::function<void(const QString&)>& progress) {
    using Kind = SpoolOutcome::Kind;
    const auto say = [&](const QString& text) {
        if (progress)
            progress(text);
    };
    // The queue first, so that the person reads why nothing can be sent.
    const QueueStatus queue = spooler_.queueStatus(document.queue);
    if (queue.trouble != SpoolTrouble::None)
        return outcome(Kind::Failed, spoolTroubleMessage(queue.trouble, queue.name), queue.name);
    if (!queue.accepting)
        return outcome(Kind::Failed, spoolTroubleMessage(SpoolTrouble::QueueRefusing, queue.name),
                       queue.name);
    if (cancel)
        return outcome(Kind::Cancelled, QStringLiteral("Impression annulée."), queue.name);

    say(QStringLiteral("Envoi à ") + queue.name);
    SpoolDocument toSend = document;
    toSend.queue = queue.name;
    const QDeadlineTimer deadline(limits_.followMs);
    const SubmitResult sent = spooler_.submit(toSend);
    if (sent.job == 0)
        return outcome(Kind::Failed, spoolTroubleMessage(sent.trouble, queue.name), queue.name);

    const int job = sent.job;
    const QString inQueue = QStringLiteral(" dans la file ") + queue.name;
    JobState last = JobState::Unknown;
    for (;;) {
        if (cancel) {
            if (spooler_.cancelJob(job))
                return outcome(Kind::Cancelled,
                               QStringLiteral("Impression annulée : ") + jobText(job).toLower() +
                                   QStringLiteral(" a été retiré") + QStringLiteral(" de la file ") +
                                   queue.name + QStringLiteral("."),
                               queue.name, job);
            return outcome(Kind::Failed,
                           jobText(job) + QStringLiteral(" n'a pas pu être retiré de la file ") + queue.name +
                               QStringLiteral(" : ") +
                               spoolTroubleMessage(SpoolTrouble::StoppedAnswering, {}),
                           queue.name, job);
        }
        const JobStatus status = spooler_.jobStatus(job);
        if (status.state != JobState::Unknown)
            last = status.state;
        switch (status.state) {
        case JobState::Processing:
        case JobState::Done:
            return outcome(Kind::Printing, {}, queue.name, job);
        case JobState::Held:
            return outcome(Kind::Waiting,
                           jobText(job) + QStringLiteral(" est retenu") + inQueue +
                               QStringLiteral(" : il attend d'être libéré."),
                           queue.name, job);
        case JobState::Stopped:
            return outcome(Kind::Waiting,
                           QStringLiteral("La file ") + queue.name +
                               QStringLiteral(" est arrêtée : le travail attend."),
                           queue.name, job);
        case JobState::Cancelled:
            return outcome(Kind::Failed,
                           jobText(job) + QStringLiteral(" a été annulé") + inQueue + QStringLiteral("."),
                           queue.name, job);
        case JobState::Aborted:
            return outcome(Kind::Failed,
                           jobText(job) + QStringLiteral(" a été abandonné par la file ") + queue.name +
                               (status.detail.isEmpty() ? QString() : QStringLiteral(" : ") + status.detail) +
                               QStringLiteral("."),
                           queue.name, job);
        case JobState::Waiting:
            // Waiting on a queue its administrator paused is no failure of the job.
            if (spooler_.queueStatus(queue.name).stopped)
                return outcome(Kind::Waiting,
                               QStringLiteral("La file ") + queue.name +
                                   QStringLiteral(" est arrêtée : le travail attend."),
                               queue.name, job);
            say(QStringLiteral("En attente : ") + queue.name);
            break;
        case JobState::Incoming:
            say(QStringLiteral("Envoi à ") + queue.name);
            break;
        case JobState::Unknown:
            break;
        }
        if (deadline.hasExpired())
            break;
        QThread::msleep(static_cast<unsigned long>(limits_.pollMs));
    }

    switch (last) {
    case JobState::Waiting:
        return outcome(Kind::Waiting,
                       jobText(job) + QStringLiteral(" attend son tour") + inQueue + QStringLiteral("."),
                       queue.name, job);
    case JobState::Incoming:
        // Half a page must not print later: the job goes.
        spooler_.cancelJob(job);
        return outcome(Kind::Failed,
                       QStringLiteral("La file ") + queue.name +
                           QStringLiteral(" n'a pas reçu le travail en entier : il a été annulé."),
                       queue.name, job);
    default:
        return outcome(Kind::Failed, spoolTroubleMessage(SpoolTrouble::StoppedAnswering, {}), queue.name,
                       job);
    }
}
