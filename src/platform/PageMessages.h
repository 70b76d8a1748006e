#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

// The message boxes of one web view's pages: their script's alerts, the messages they send
// through the program and the reports of their failed loads. A page can send them without
// end and make each one as long as it likes, so the window would never be the user's again:
// a message that comes while one of these boxes is open is dropped (the user is reading
// one), only a few boxes show in a row before the page must wait for the window to have
// been the user's for a while, and each box shows a bounded text.
class PageMessages final : public QObject {
    Q_OBJECT
public:
    explicit PageMessages(QObject* parent = nullptr);

    // A modal box with the text, cut, or nothing when the page has had its boxes.
    void Show(const QString& text);
    // A page the program loads starts with every box of a row.
    void Restart();

    // The text as a box shows it: at most MaxCharacters characters in at most MaxLines
    // lines, an ellipsis where it was cut.
    static QString Bounded(const QString& text, qsizetype maxCharacters = MaxCharacters);

    static constexpr qsizetype MaxCharacters = 3000;
    static constexpr int MaxLines = 30;
    // Boxes a page may show in a row.
    static constexpr int Burst = 3;
    // Each time this passes without a box, the page may show one box more (up to Burst).
    static int quietMilliseconds;

private:
    void earn();

    QElapsedTimer mClock;
    qint64 mQuietSince = 0;
    int mAllowance = Burst;
    bool mOpen = false;
};
