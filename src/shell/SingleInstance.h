#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// One running program per user. A later start hands its files to the running one over a
// local socket and ends; the running one raises FilesHandedOver with them (an empty list
// asks for a new document).
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    enum class Role { HandedOver, Running, Alone };

    // serverName: a socket path; the user's own (in the runtime folder) when empty.
    explicit SingleInstance(const QString& serverName = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands files (absolute paths) to a running program, or else becomes the running one.
    // Alone: neither worked (no socket could be made); the program runs by itself.
    Role Start(const QStringList& files);

    QString ServerName() const { return mName; }

    // How long a later start waits for the running program to take its files.
    static int handOverMilliseconds;

signals:
    void FilesHandedOver(const QStringList& files);

private:
    bool HandOver(const QStringList& files);
    bool Listen();
    void Receive();

    QString mName;
    QLocalServer* mServer = nullptr;
};
