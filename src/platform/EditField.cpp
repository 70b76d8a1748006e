#include "platform/EditField.h"

#include <QKeyEvent>
#include <QTimer>

EditField::EditField(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { TextChange(); });
}

void EditField::setTextColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

void EditField::keyPressEvent(QKeyEvent* event)
{
    QString key = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        key = QStringLiteral("\r");
    if (KeyDown && !key.isEmpty() && KeyDown(key))
        return;
    QLineEdit::keyPressEvent(event);
}

void EditField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A mouse press would undo a selection made now; select once it is handled.
    if (GotFocus)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus() && GotFocus)
                GotFocus();
        });
}
