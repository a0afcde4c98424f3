#pragma once

#include <QString>

// Message boxes: prompt, title, button set, icon and default button; the answer comes back.
// SaveDiscardCancel: "Enregistrer", "Ne pas enregistrer", "Annuler", for work that would be lost.
enum class MsgButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No, Save, Discard };

struct MessageRequest {
    QString prompt; // may hold CR (13) line breaks
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 1; // 1, 2 or 3: which button Enter presses

    bool operator==(const MessageRequest& o) const {
        return prompt == o.prompt && title == o.title && buttons == o.buttons && icon == o.icon &&
               defaultButton == o.defaultButton;
    }
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const MessageRequest& request) = 0;

    // The usual error box: critical icon, OK, title "Erreur".
    void error(const QString& prompt, const QString& title = QStringLiteral("Erreur")) {
        show({prompt, title, MsgButtons::Ok, MsgIcon::Critical, 1});
    }
};
