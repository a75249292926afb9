// Started with "first", it asks for a re-login and presses the button, so the real
// restart runs; started without arguments (as the restart does), it writes its
// process id to the file named by ZT_RELOGIN_MARK and exits.
#include <alerts/messageex.h>
#include <alerts/pubmessage.h>
#include <controls/ztpushbutton.h>

#include <QApplication>
#include <QFile>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        QFile mark(qEnvironmentVariable("ZT_RELOGIN_MARK"));
        if (!mark.open(QIODevice::WriteOnly))
            return 2;
        mark.write(QByteArray::number(QCoreApplication::applicationPid()));
        return 0;
    }
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<PubMessage*>(w);
            if (box && box->isVisible()) {
                poll.stop();
                box->getReloginButton()->click();
            }
        }
    });
    poll.start(10);
    const int code = MessageEx::ShowBoxRelogin(QStringLiteral("登录已失效"), QStringLiteral("提示"), nullptr);
    return code == 1 ? 3 : 0;
}
