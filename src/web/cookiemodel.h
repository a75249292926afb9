#pragma once

#include "ztcontrollib_global.h"

#include <QAbstractTableModel>
#include <QList>
#include <QNetworkCookie>
#include <QPointer>

class ZtCookieJar;

// The cookies of a jar, one row each, ordered by domain, name and path.
// Removing rows deletes the cookies from the jar.
class ZTCONTROLLIB_EXPORT CookieModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, DomainColumn, PathColumn, ExpiryColumn, SecureColumn, SessionColumn, ColumnCount };

    explicit CookieModel(ZtCookieJar* jar, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    QNetworkCookie cookie(int row) const;

private slots:
    void cookiesChanged();

private:
    QPointer<ZtCookieJar> mJar;
    QList<QNetworkCookie> mCookies;
};
