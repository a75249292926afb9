#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

// The INI settings format for files that a user or another program can write
// (config.ini, the cookie file, the application's default settings). It reads
// and writes the same text as Qt's INI format, but a value that holds a
// serialized Qt type ("@Variant(...)", "@Rect(...)", ...) is never decoded: it
// comes back as a Serialized value with its bytes, for the caller to check.
// Qt's own reader would build whatever the bytes say, a list of 2^31 items included.
class PubSettingsFormat
{
public:
    struct Serialized
    {
        QByteArray kind;  // "Variant", "Rect", ...
        QByteArray data;  // the bytes between the parentheses
        bool operator==(const Serialized& o) const { return kind == o.kind && data == o.data; }
    };

    static QSettings::Format format();
    // Settings on one file in this format.
    static std::unique_ptr<QSettings> open(const QString& path);
    // The application's default settings (organisation and application name), in this format.
    static std::unique_ptr<QSettings> openDefault();

    static bool isSerialized(const QVariant& value);
    static Serialized serialized(const QVariant& value);
    // The value under key as plain text; a serialized one is refused with a warning
    // and gives `fallback`.
    static QVariant plainValue(const QSettings& settings, const QString& key, const QVariant& fallback = QVariant());

    static bool read(QIODevice& device, QSettings::SettingsMap& map);
    static bool write(QIODevice& device, const QSettings::SettingsMap& map);
};

Q_DECLARE_METATYPE(PubSettingsFormat::Serialized)
