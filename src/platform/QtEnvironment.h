#pragma once

#include "platform/Environment.h"

class QtEnvironment : public Environment {
public:
    explicit QtEnvironment(QString argument) : argument_(std::move(argument)) {}
    QTime currentTime() const override;
    QDate currentDate() const override;
    QSize screenSizeTwips() const override;
    QString commandArgument() const override { return argument_; }
    QString programFolder() const override;
    QString currentFolder() const override;
    QString systemName() const override;
    QString fontFor(const QString& family) const override;

private:
    QString argument_;
};
