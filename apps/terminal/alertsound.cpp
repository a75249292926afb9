#include "alertsound.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMediaPlayer>
#include <QPointer>

namespace {

Q_LOGGING_CATEGORY(lcAlertSound, "zt.alerts", QtInfoMsg)

AlertSound::Player& replacedPlayer()
{
    static AlertSound::Player player;
    return player;
}

QPointer<QMediaPlayer>& mediaPlayer()
{
    static QPointer<QMediaPlayer> player;
    return player;
}

bool gSilent = false;

// Once the beep cannot play it will not play later in this process either; trying again
// on every alert would only repeat the same error.
void fallBack(const QString& reason)
{
    if (!gSilent)
        qCInfo(lcAlertSound).noquote() << "alert sound unavailable (" + reason + "); using the system bell";
    gSilent = true;
    QApplication::beep();
}

QMediaPlayer* makePlayer()
{
    // Owned by the application, so it goes before the multimedia plugins are unloaded.
    auto* player = new QMediaPlayer(qApp, QMediaPlayer::LowLatency);
    QObject::connect(player, qOverload<QMediaPlayer::Error>(&QMediaPlayer::error), player, [player] {
        fallBack(player->errorString().isEmpty() ? QStringLiteral("player error") : player->errorString());
    });
    player->setVolume(100);
    return player;
}

}

QUrl AlertSound::beepUrl()
{
    return QUrl(QStringLiteral("qrc:/images/Audio/dididi.mp3"));
}

void AlertSound::play()
{
    if (replacedPlayer()) {
        replacedPlayer()(beepUrl());
        return;
    }
    if (gSilent || !qApp) {
        QApplication::beep();
        return;
    }
    if (!mediaPlayer())
        mediaPlayer() = makePlayer();
    QMediaPlayer* player = mediaPlayer();
    if (!player->isAvailable()) {
        fallBack(QStringLiteral("no media service"));
        return;
    }
    // A new alert starts the beep again rather than queueing behind the last one.
    if (player->media().request().url() != beepUrl())
        player->setMedia(beepUrl());
    else
        player->stop();
    player->play();
}

void AlertSound::setPlayer(Player player)
{
    replacedPlayer() = std::move(player);
}

QMediaPlayer* AlertSound::player()
{
    return mediaPlayer();
}

bool AlertSound::isSilent()
{
    return gSilent;
}
