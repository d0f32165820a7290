#pragma once

#include "platform/ColorPortal.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

// PickColor of the desktop portal's Screenshot interface on the session bus.
class DBusColorPortal : public QObject, public ColorPortal
{
    Q_OBJECT
public:
    explicit DBusColorPortal(QObject *parent = nullptr);
    ~DBusColorPortal() override;

    bool offersPick() override;
    bool pickColor(QWidget *window, Answer answer) override;
    void cancel() override;

private Q_SLOTS:
    void onResponse(uint code, const QVariantMap &results);

private:
    void onCallFinished(QDBusPendingCallWatcher *call);
    void listenOn(const QString &path);
    void stopListening();
    void finish(Outcome outcome, ColorValue color = -1);

    Answer m_answer;
    QString m_requestPath;
    QDBusServiceWatcher *m_serviceWatcher = nullptr;
    QDBusPendingCallWatcher *m_call = nullptr;
    unsigned m_requests = 0;
};
