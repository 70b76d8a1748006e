#include "platform/PageMessages.h"

#include "platform/Services.h"

#include <QPointer>

#include <algorithm>

int PageMessages::quietMilliseconds = 10000;

PageMessages::PageMessages(QObject* parent)
    : QObject(parent)
{
    mClock.start();
}

void PageMessages::Show(const QString& text)
{
    if (mOpen)
        return;
    earn();
    if (mAllowance == 0)
        return;
    --mAllowance;
    mOpen = true;
    // The box runs the event loop: the view, and this with it, may be gone when it closes.
    const QPointer<PageMessages> alive(this);
    Services::instance().MsgBox(Bounded(text));
    if (!alive)
        return;
    mOpen = false;
    mQuietSince = mClock.elapsed();
}

void PageMessages::Restart()
{
    mAllowance = Burst;
}

void PageMessages::earn()
{
    const qint64 earned = (mClock.elapsed() - mQuietSince) / std::max(quietMilliseconds, 1);
    if (earned == 0)
        return;
    mAllowance = int(std::min<qint64>(Burst, mAllowance + earned));
    mQuietSince += earned * std::max(quietMilliseconds, 1);
}

QString PageMessages::Bounded(const QString& text, qsizetype maxCharacters)
{
    // Laying out a long text takes the box minutes; lines past the screen hide its button.
    qsizetype end = std::min(text.size(), maxCharacters);
    int lines = 1;
    for (qsizetype i = 0; i < end; ++i) {
        if (text.at(i) == u'\n' && ++lines > MaxLines)
            end = i;
    }
    if (end == text.size())
        return text;
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end) + QChar(0x2026);
}
