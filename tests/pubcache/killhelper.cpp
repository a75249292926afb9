// Makes the numbered watchlist changes of the kill test on the database given as
// the first argument, printing each number once its change has returned. Runs until
// it is killed or the count given as the third argument is reached.

#include "killscript.h"

#include <pubcache/pubstaticfunc.h>

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DATABASE SEED [COUNT]\n", argv[0]);
        return 2;
    }
    if (!PubStaticFunc::openDatabase(QString::fromLocal8Bit(argv[1])))
        return 1;
    const quint32 seed = QByteArray(argv[2]).toUInt();
    const int count = argc > 3 ? QByteArray(argv[3]).toInt() : 1 << 30;
    for (int n = 0; n < count; ++n) {
        KillScript::apply(seed, n);
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
    return 0;
}
