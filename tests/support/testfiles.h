#pragma once

#include <QByteArray>
#include <QString>

// Files written and read back byte for byte, as a crash or another program leaves them.
namespace TestFiles {

// The folders on the way are made; a failure fails the calling test.
void write(const QString& path, const QByteArray& content);

// "<missing>" when the file cannot be read, so an absent file never equals an empty one.
QByteArray read(const QString& path);

}
