#include "shell/HandOverMessage.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr quint32 kMagic = 0x4c554d31; // "LUM1"
constexpr quint32 kNullText = 0xffffffff;

} // namespace

QByteArray HandOverMessage::Encode(const QStringList& files)
{
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << files;
    return message;
}

HandOverMessage::State HandOverMessage::Take(QByteArrayView bytes)
{
    if (mState != State::Reading)
        return mState;
    mReceived += bytes.size();
    if (mReceived > MaxBytes)
        return refuse();
    while (mState == State::Reading) {
        const qsizetype need = mPart == Part::Path ? qsizetype(mLength) : 4;
        // A part whole in what came is read from there; the rest of one waits in mPending.
        QByteArrayView part;
        if (mPending.isEmpty() && bytes.size() >= need) {
            part = bytes.first(need);
            bytes = bytes.sliced(need);
        } else {
            if (mPending.isEmpty())
                mPending.reserve(need);
            const qsizetype more = std::min(need - mPending.size(), bytes.size());
            mPending.append(bytes.first(more));
            bytes = bytes.sliced(more);
            if (mPending.size() < need)
                return mState;
            part = mPending;
        }
        switch (mPart) {
        case Part::Magic:
            if (qFromBigEndian<quint32>(part.data()) != kMagic)
                return refuse();
            mPart = Part::Count;
            break;
        case Part::Count:
            mFilesLeft = qFromBigEndian<quint32>(part.data());
            if (mFilesLeft > quint32(MaxBytes / 4))
                return refuse();
            mPart = Part::Length;
            if (mFilesLeft == 0)
                mState = State::Complete;
            break;
        case Part::Length:
            mLength = qFromBigEndian<quint32>(part.data());
            if (mLength == kNullText) {
                mFiles << QString();
                mState = --mFilesLeft == 0 ? State::Complete : State::Reading;
            } else if (mLength % 2 != 0 || mLength > quint32(MaxBytes)) {
                return refuse();
            } else {
                mPart = Part::Path;
            }
            break;
        case Part::Path: {
            QString path(qsizetype(mLength / 2), Qt::Uninitialized);
            qFromBigEndian<char16_t>(part.data(), path.size(), path.data());
            mFiles << path;
            mPart = Part::Length;
            if (--mFilesLeft == 0)
                mState = State::Complete;
            break;
        }
        }
        mPending.clear();
    }
    return mState;
}

HandOverMessage::State HandOverMessage::refuse()
{
    mPending.clear();
    mFiles.clear();
    mState = State::Refused;
    return mState;
}
