#pragma once

#include "platform/Event.h"

#include <QToolBar>

class QAction;

// The framework's toolbar: a click on one of its items raises Action with that item.
class Toolbar : public QToolBar {
    Q_OBJECT
public:
    explicit Toolbar(QWidget* parent = nullptr);

    Event<void(QAction* item)> Action;
};
