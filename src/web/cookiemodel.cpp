#include "web/cookiemodel.h"

#include "web/ztcookiejar.h"

#include <QDateTime>

#include <algorithm>

CookieModel::CookieModel(ZtCookieJar* jar, QObject* parent) : QAbstractTableModel(parent), mJar(jar)
{
    if (mJar) {
        connect(mJar, &ZtCookieJar::cookiesChanged, this, &CookieModel::cookiesChanged);
        connect(mJar, &QObject::destroyed, this, &CookieModel::cookiesChanged);
    }
    cookiesChanged();
}

void CookieModel::cookiesChanged()
{
    beginResetModel();
    mCookies = mJar ? mJar->cookies() : QList<QNetworkCookie>();
    std::stable_sort(mCookies.begin(), mCookies.end(), [](const QNetworkCookie& a, const QNetworkCookie& b) {
        if (a.domain() != b.domain())
            return a.domain() < b.domain();
        if (a.name() != b.name())
            return a.name() < b.name();
        return a.path() < b.path();
    });
    endResetModel();
}

int CookieModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mCookies.size();
}

int CookieModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QNetworkCookie CookieModel::cookie(int row) const
{
    return row >= 0 && row < mCookies.size() ? mCookies.at(row) : QNetworkCookie();
}

QVariant CookieModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= mCookies.size() || index.column() >= ColumnCount)
        return QVariant();
    const QNetworkCookie& c = mCookies.at(index.row());
    const auto yesNo = [](bool value) { return value ? QStringLiteral("是") : QStringLiteral("否"); };
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case NameColumn:
            return QString::fromUtf8(c.name());
        case DomainColumn:
            return c.domain();
        case PathColumn:
            return c.path();
        case ExpiryColumn:
            return c.isSessionCookie() ? QString()
                                       : c.expirationDate().toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case SecureColumn:
            return yesNo(c.isSecure());
        case SessionColumn:
            return yesNo(c.isSessionCookie());
        default:
            break;
        }
    } else if (role == Qt::UserRole) {
        switch (index.column()) {
        case ExpiryColumn:
            return c.expirationDate();
        case SecureColumn:
            return c.isSecure();
        case SessionColumn:
            return c.isSessionCookie();
        default:
            return data(index, Qt::DisplayRole);
        }
    }
    return QVariant();
}

QVariant CookieModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return QStringLiteral("名称");
    case DomainColumn:
        return QStringLiteral("域名");
    case PathColumn:
        return QStringLiteral("路径");
    case ExpiryColumn:
        return QStringLiteral("过期时间");
    case SecureColumn:
        return QStringLiteral("仅限安全连接");
    case SessionColumn:
        return QStringLiteral("会话");
    default:
        return QVariant();
    }
}

bool CookieModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || !mJar || row < 0 || count <= 0 || row + count > mCookies.size())
        return false;
    // Copy first: every deletion makes the jar reset this model.
    const QList<QNetworkCookie> doomed = mCookies.mid(row, count);
    for (const QNetworkCookie& c : doomed)
        mJar->deleteCookie(c);
    return true;
}
