#pragma once

#include <QProgressBar>

// A progress bar whose text, while it is not shown, is not made either: the bar still
// asks for it at every value, and formatting three numbers each time would cost a loop
// that sets the bar once per row of a million rows more than the rest of its work.
class ProgressBar final : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;

    QString text() const override;
};
