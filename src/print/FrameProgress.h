#pragma once

#include "print/PrintProgress.h"

#include <QPointer>
#include <QWidget>

// The main window's progress frame as a job's progress indicator.
class FrameProgress : public PrintProgress {
public:
    explicit FrameProgress(QWidget* frame) : frame_(frame) {}
    void showProgress() override {
        if (frame_)
            frame_->show();
    }
    void hideProgress() override {
        if (frame_)
            frame_->hide();
    }

private:
    QPointer<QWidget> frame_;
};
