#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// The login record of the current user. A fresh record is a tourist's until a
// registered login fills it; the login time is the moment it was made.
class LoginInfo
{
public:
    explicit LoginInfo(const QString& userName = QString());

    int getUserId() const { return mUserId; }
    int getRoleId() const { return mRoleId; }
    bool isTourist() const { return mTourist; }
    QString getUserIdMD5() const { return mUserIdMD5; }
    QString getUserName() const { return mUserName; }
    QString getNickName() const { return mNickName; }
    QString getHeadPortrait() const { return mHeadPortrait; }
    QString getRoleEndDate() const { return mRoleEndDate; }
    QString getRoleName() const { return mRoleName; }
    QString getSessionToken() const { return mSessionToken; }
    QString getUserObjectId() const { return mUserObjectId; }
    QString getMac() const { return mMac; }
    QDateTime getLoginTime() const { return mLoginTime; }
    QVariantMap getJurisdiction() const { return mJurisdiction; }

    void setUserId(int id) { mUserId = id; }
    void setRoleId(int id) { mRoleId = id; }
    void setTourist(bool tourist) { mTourist = tourist; }
    void setUserIdMD5(const QString& digest) { mUserIdMD5 = digest; }
    void setUserName(const QString& name) { mUserName = name; }
    void setNickName(const QString& name) { mNickName = name; }
    void setHeadPortrait(const QString& portrait) { mHeadPortrait = portrait; }
    void setRoleEndDate(const QString& date) { mRoleEndDate = date; }
    void setRoleName(const QString& name) { mRoleName = name; }
    void setSessionToken(const QString& token) { mSessionToken = token; }
    void setUserObjectId(const QString& id) { mUserObjectId = id; }
    void setMac(const QString& mac) { mMac = mac; }
    void setLoginTime(const QDateTime& time) { mLoginTime = time; }
    void setJurisdiction(const QVariantMap& jurisdiction) { mJurisdiction = jurisdiction; }
    void setJurisdiction(const QString& key, const QVariant& value) { mJurisdiction.insert(key, value); }

private:
    int mUserId = 0;
    int mRoleId = 0;
    bool mTourist = true;
    QString mUserIdMD5;
    QString mUserName;
    QString mNickName;
    QString mHeadPortrait;
    QString mRoleEndDate;
    QString mRoleName;
    QString mSessionToken;
    QString mUserObjectId;
    QString mMac;
    QDateTime mLoginTime;
    QVariantMap mJurisdiction;
};

Q_DECLARE_METATYPE(LoginInfo)
