#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// The files a later start hands to the running program, as they go over the local socket:
// a magic number, then the list as Qt's data stream writes it (a count, then each path's
// length in bytes and its UTF-16 units, big-endian). Read as the bytes come, each looked at
// once; a message larger than MaxBytes, or not of this kind, is refused.
class HandOverMessage {
public:
    enum class State { Reading, Complete, Refused };

    static QByteArray Encode(const QStringList& files);

    // Takes the bytes that came next.
    State Take(QByteArrayView bytes);
    const QStringList& Files() const { return mFiles; }

    // Room for the longest command line the system passes, as UTF-16.
    static constexpr qsizetype MaxBytes = 8 * 1024 * 1024;

private:
    enum class Part { Magic, Count, Length, Path };

    State refuse();

    QByteArray mPending; // the bytes of the part being read, once it is not whole in one piece
    qsizetype mReceived = 0;
    Part mPart = Part::Magic;
    quint32 mFilesLeft = 0;
    quint32 mLength = 0;
    QStringList mFiles;
    State mState = State::Reading;
};
