#pragma once

#include <QLineEdit>

#include <functional>

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
    std::function<bool(const QString& key)> KeyDown;
    std::function<void()> GotFocus;
    std::function<void()> TextChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};
