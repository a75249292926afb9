#pragma once

#include <QUrl>

#include <functional>

class QMediaPlayer;

// The alert beep from the library's resources, played by one player for the whole
// terminal. Where nothing can play it (no audio device or decoder, as on a headless
// machine) the terminal falls back to the system bell and says so once in zt.alerts.
class AlertSound
{
public:
    static QUrl beepUrl();
    static void play();

    // Replaces the player, so a test sees the sound asked for without audio hardware.
    using Player = std::function<void(const QUrl&)>;
    static void setPlayer(Player player);
    // The real player, null before the first beep.
    static QMediaPlayer* player();
    // True once the beep proved unplayable here; alerts then ring the system bell.
    static bool isSilent();
};
