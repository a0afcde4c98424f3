#pragma once

#include "platform/ChoiceDialogs.h"

class Spooler;

class QtChoiceDialogs : public ChoiceDialogs {
public:
    explicit QtChoiceDialogs(Spooler& spooler) : spooler_(spooler) {}
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<quint32> chooseColour(quint32 initialRgb) override;
    bool printerSetup() override;

private:
    Spooler& spooler_;
};
