#include "platform/ProgressBar.h"

QString ProgressBar::text() const
{
    return isTextVisible() ? QProgressBar::text() : QString();
}
