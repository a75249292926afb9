#include "pubsettingsformat.h"

#include "pubcachelog.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QStringList>

#include <mutex>

namespace {

// Larger settings files are not settings; they are refused unread.
constexpr qint64 maxFileSize = 16 * 1024 * 1024;

const QString generalSection = QStringLiteral("General");

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// "%XX" and "%UXXXX" escapes; a backslash separates sub-keys.
QString unescapeKey(const QString& raw)
{
    QString out;
    const int n = raw.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = raw.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            continue;
        }
        if (c == QLatin1Char('%')) {
            const bool wide = i + 1 < n && raw.at(i + 1) == QLatin1Char('U');
            const int start = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            int value = 0;
            int got = 0;
            for (; got < digits && start + got < n && hexDigit(raw.at(start + got)) >= 0; ++got)
                value = value * 16 + hexDigit(raw.at(start + got));
            if (got == digits) {
                out += QChar(ushort(value));
                i = start + digits - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString escapeKey(const QString& key)
{
    QString out;
    for (const QChar c : key) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('/'))
            out += QLatin1Char('\\');
        else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-'
                 || u == '.' || u == ' ')
            out += c;
        else if (u < 0x100)
            out += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QStringLiteral("%U%1").arg(u, 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

// Reads one value from `pos` to the end of its line: quoted parts keep their
// blanks, backslash escapes, unquoted commas separate list items, an unquoted ';'
// starts a comment and a backslash at the end of a line continues the value.
QStringList parseItems(const QString& text, int& pos, bool* isList)
{
    QStringList items;
    QString current;
    int kept = 0;  // chars of `current` that trailing blanks must not eat
    bool quoted = false;
    bool atItemStart = true;
    *isList = false;
    const int n = text.size();
    const auto finishItem = [&] {
        int end = current.size();
        while (end > kept && (current.at(end - 1) == QLatin1Char(' ') || current.at(end - 1) == QLatin1Char('\t')))
            --end;
        items.append(current.left(end));
        current.clear();
        kept = 0;
        atItemStart = true;
    };
    while (pos < n) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && !quoted))
            break;
        ++pos;
        if (atItemStart && !quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t')))
            continue;
        atItemStart = false;
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            kept = current.size();
            continue;
        }
        if (!quoted && c == QLatin1Char(',')) {
            *isList = true;
            finishItem();
            continue;
        }
        if (!quoted && c == QLatin1Char(';')) {
            while (pos < n && text.at(pos) != QLatin1Char('\n'))
                ++pos;
            break;
        }
        if (c != QLatin1Char('\\') || pos >= n) {
            current += c;
            if (quoted)
                kept = current.size();
            continue;
        }
        const QChar e = text.at(pos++);
        switch (e.unicode()) {
        case 'a': current += QLatin1Char('\a'); break;
        case 'b': current += QLatin1Char('\b'); break;
        case 'f': current += QLatin1Char('\f'); break;
        case 'n': current += QLatin1Char('\n'); break;
        case 'r': current += QLatin1Char('\r'); break;
        case 't': current += QLatin1Char('\t'); break;
        case 'v': current += QLatin1Char('\v'); break;
        case '\n':
            break;
        case '\r':
            if (pos < n && text.at(pos) == QLatin1Char('\n'))
                ++pos;
            break;
        case 'x': {
            uint value = 0;
            while (pos < n && hexDigit(text.at(pos)) >= 0)
                value = ((value << 4) | uint(hexDigit(text.at(pos++)))) & 0xffff;
            current += QChar(ushort(value));
            break;
        }
        default:
            if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) {
                uint value = uint(e.unicode() - '0');
                while (pos < n && text.at(pos) >= QLatin1Char('0') && text.at(pos) <= QLatin1Char('7'))
                    value = ((value << 3) | uint(text.at(pos++).unicode() - '0')) & 0xffff;
                current += QChar(ushort(value));
            } else {
                current += e;
            }
        }
        kept = current.size();
    }
    finishItem();
    return items;
}

QVariant textValue(const QString& text)
{
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text == QLatin1String("@Invalid()"))
        return QVariant();
    const int open = text.indexOf(QLatin1Char('('));
    if (open > 1) {
        const QString kind = text.mid(1, open - 1);
        // A value cut before its closing bracket is still the same kind of value.
        const int end = text.endsWith(QLatin1Char(')')) ? text.size() - 1 : text.size();
        bool word = true;
        for (const QChar c : kind)
            word = word && c.isLetter() && c.unicode() < 0x80;
        if (word) {
            const QByteArray data = text.mid(open + 1, end - open - 1).toLatin1();
            if (kind == QLatin1String("ByteArray"))
                return data;
            return QVariant::fromValue(PubSettingsFormat::Serialized{kind.toLatin1(), data});
        }
    }
    return text;
}

// Quotes what would otherwise be trimmed or split; escapes what a line cannot hold.
QString escapeValue(const QString& text)
{
    QString out;
    bool quote = false;
    bool escapeHex = false;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (escapeHex && hexDigit(c) >= 0) {
            out += QStringLiteral("\\x%1").arg(u, 0, 16);
            continue;
        }
        escapeHex = false;
        switch (u) {
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case ';':
        case ',':
        case '=':
            quote = true;
            out += c;
            break;
        default:
            if (u < 0x20 || u >= 0x7f) {
                out += QStringLiteral("\\x%1").arg(u, 0, 16);
                escapeHex = true;
            } else {
                out += c;
            }
        }
    }
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        quote = true;
    return quote ? QLatin1Char('"') + out + QLatin1Char('"') : out;
}

// Every byte, NULs included (the QByteArray overload stops at the first NUL).
QString latin1(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

QString itemText(QString text)
{
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));
    return escapeValue(text);
}

QString valueText(const QVariant& v)
{
    if (!v.isValid())
        return QStringLiteral("@Invalid()");
    if (v.userType() == qMetaTypeId<PubSettingsFormat::Serialized>()) {
        const auto s = v.value<PubSettingsFormat::Serialized>();
        return escapeValue(QLatin1Char('@') + latin1(s.kind) + QLatin1Char('(')
                           + latin1(s.data) + QLatin1Char(')'));
    }
    switch (v.userType()) {
    case QMetaType::QString:
        return itemText(v.toString());
    case QMetaType::QByteArray:
        return escapeValue(QLatin1String("@ByteArray(") + latin1(v.toByteArray()) + QLatin1Char(')'));
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        const QStringList items = v.toStringList();
        if (items.isEmpty())
            return QStringLiteral("@Invalid()");
        QStringList escaped;
        for (const QString& item : items)
            escaped.append(itemText(item));
        return escaped.join(QLatin1String(", "));
    }
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return itemText(v.toString());
    default: {
        // Written the way Qt writes it, so that Qt's own reader gets the same value back.
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_4_0);
        stream << v;
        return escapeValue(QLatin1String("@Variant(") + latin1(bytes) + QLatin1Char(')'));
    }
    }
}

}

QSettings::Format PubSettingsFormat::format()
{
    static QSettings::Format registered = QSettings::InvalidFormat;
    static std::once_flag once;
    std::call_once(once, [] {
        qRegisterMetaType<Serialized>();
        // The extension Qt's native format uses here, so the application's default
        // settings stay in the same file.
#ifdef Q_OS_WIN
        const QString extension = QStringLiteral("ini");
#else
        const QString extension = QStringLiteral("conf");
#endif
        registered = QSettings::registerFormat(extension, &PubSettingsFormat::read, &PubSettingsFormat::write);
    });
    return registered;
}

std::unique_ptr<QSettings> PubSettingsFormat::open(const QString& path)
{
    return std::make_unique<QSettings>(path, format());
}

std::unique_ptr<QSettings> PubSettingsFormat::openDefault()
{
    const QString organization = QCoreApplication::organizationName().isEmpty()
                                     ? QCoreApplication::organizationDomain()
                                     : QCoreApplication::organizationName();
    return std::make_unique<QSettings>(format(), QSettings::UserScope, organization,
                                       QCoreApplication::applicationName());
}

bool PubSettingsFormat::isSerialized(const QVariant& value)
{
    return value.userType() == qMetaTypeId<Serialized>();
}

PubSettingsFormat::Serialized PubSettingsFormat::serialized(const QVariant& value)
{
    return value.value<Serialized>();
}

QVariant PubSettingsFormat::plainValue(const QSettings& settings, const QString& key, const QVariant& fallback)
{
    const QVariant v = settings.value(key, fallback);
    if (!isSerialized(v))
        return v;
    const QString name = settings.group().isEmpty() ? key : settings.group() + QLatin1Char('/') + key;
    qCWarning(lcPubCache).noquote() << settings.fileName() + QLatin1String(": the value of") << name
                                    << "is not plain text; using the default";
    return fallback;
}

bool PubSettingsFormat::read(QIODevice& device, QSettings::SettingsMap& map)
{
    if (device.size() > maxFileSize) {
        qCWarning(lcPubCache) << "settings file of" << device.size() << "bytes ignored";
        return false;
    }
    const QString text = QString::fromUtf8(device.read(maxFileSize));
    QString section;
    int pos = 0;
    const int n = text.size();
    while (pos < n) {
        while (pos < n && text.at(pos).isSpace())
            ++pos;
        if (pos >= n)
            break;
        const QChar c = text.at(pos);
        int lineEnd = text.indexOf(QLatin1Char('\n'), pos);
        if (lineEnd < 0)
            lineEnd = n;
        if (c == QLatin1Char(';') || c == QLatin1Char('#')) {
            pos = lineEnd;
            continue;
        }
        if (c == QLatin1Char('[')) {
            const int close = text.indexOf(QLatin1Char(']'), pos);
            const QString raw = text.mid(pos + 1, (close >= 0 && close < lineEnd ? close : lineEnd) - pos - 1).trimmed();
            section = raw == generalSection ? QString() : unescapeKey(raw);
            pos = lineEnd;
            continue;
        }
        const int equals = text.indexOf(QLatin1Char('='), pos);
        if (equals < 0 || equals > lineEnd) {
            pos = lineEnd;
            continue;
        }
        const QString key = unescapeKey(text.mid(pos, equals - pos).trimmed());
        pos = equals + 1;
        bool isList = false;
        const QStringList items = parseItems(text, pos, &isList);
        if (key.isEmpty())
            continue;
        QVariant value;
        if (isList) {
            QStringList list;
            for (const QString& item : items)
                list.append(item.startsWith(QLatin1String("@@")) ? item.mid(1) : item);
            value = list;
        } else {
            value = textValue(items.value(0));
        }
        map.insert(section.isEmpty() ? key : section + QLatin1Char('/') + key, value);
    }
    return true;
}

bool PubSettingsFormat::write(QIODevice& device, const QSettings::SettingsMap& map)
{
    QMap<QString, QStringList> sections;
    QStringList general;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const int slash = it.key().indexOf(QLatin1Char('/'));
        const QString line = escapeKey(slash < 0 ? it.key() : it.key().mid(slash + 1)) + QLatin1Char('=')
                             + valueText(it.value());
        if (slash < 0)
            general.append(line);
        else
            sections[it.key().left(slash)].append(line);
    }
    QString out;
    const auto writeSection = [&out](const QString& header, const QStringList& lines) {
        if (!out.isEmpty())
            out += QLatin1Char('\n');
        out += QLatin1Char('[') + header + QLatin1String("]\n");
        for (const QString& line : lines)
            out += line + QLatin1Char('\n');
    };
    if (!general.isEmpty())
        writeSection(generalSection, general);
    for (auto it = sections.cbegin(); it != sections.cend(); ++it)
        writeSection(it.key() == generalSection ? QLatin1Char('%') + generalSection : escapeKey(it.key()), it.value());
    const QByteArray bytes = out.toUtf8();
    return device.write(bytes) == bytes.size();
}
