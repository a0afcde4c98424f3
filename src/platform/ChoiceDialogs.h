#pragma once

#include <QString>
#include <optional>

// The six font values a zone carries.
struct FontChoice {
    QString name;
    float size = 8.25f;
    bool bold = false;
    bool italic = false;
    bool strikethru = false;
    bool underline = false;

    bool operator==(const FontChoice& o) const {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
               strikethru == o.strikethru && underline == o.underline;
    }
};

// Font, colour and printer set-up dialogs; nullopt / false is a cancel.
class ChoiceDialogs {
public:
    virtual ~ChoiceDialogs() = default;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // Colours in the card's 32-bit encoding; a system colour arrives already resolved.
    virtual std::optional<quint32> chooseColour(quint32 initialRgb) = 0;
    // The printer set-up dialog: may pick another printer or change its settings.
    virtual bool printerSetup() = 0;
};
