#pragma once

#include "platform/Event.h"

#include <QLineEdit>

// A one-line text field with the framework's events.
class EditField final : public QLineEdit {
    Q_OBJECT
public:
    explicit EditField(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void setText(const QString& text) { QLineEdit::setText(text); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    void SelectAll() { selectAll(); }
    void setTextColor(const QColor& color);

    // Return gives "\r"; the key still reaches the field unless the handler returns true.
    Event<bool(const QString& key)> KeyDown;
    Event<void()> GotFocus;
    Event<void()> TextChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};
