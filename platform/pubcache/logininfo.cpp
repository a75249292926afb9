#include "logininfo.h"

LoginInfo::LoginInfo(const QString& userName) : mUserName(userName), mLoginTime(QDateTime::currentDateTime()) {}
