#include "platform/StreamMessageBoxes.h"

#include <QTextStream>

MsgAnswer StreamMessageBoxes::show(const MessageRequest& request) {
    ++shown_;
    QString prompt = request.prompt;
    prompt.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    out_ << prompt << '\n';
    out_.flush();
    const bool second = request.defaultButton == 2;
    switch (request.buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
        return second ? MsgAnswer::Cancel : MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return second ? MsgAnswer::No : MsgAnswer::Yes;
    case MsgButtons::SaveDiscardCancel:
        return request.defaultButton == 1 ? MsgAnswer::Save : second ? MsgAnswer::Discard : MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}
