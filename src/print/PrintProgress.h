#pragma once

// The "printing" indicator a job shows while it draws; the main window's progress frame,
// or nothing at all for the command line.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    virtual void showProgress() = 0;
    virtual void hideProgress() = 0;
};

class NoPrintProgress : public PrintProgress {
public:
    void showProgress() override {}
    void hideProgress() override {}
};
