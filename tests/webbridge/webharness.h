#pragma once

// One scripted page in a panel under a root panel, shared by the cases of a test.

#include <framework/ztlayoutbase.h>
#include <web/pubwebview.h>
#include <web/webobject.h>
#include <web/ztwebview.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <optional>

inline void webTestInitMain()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// Renderer processes started for this test process (children of its zygote). Once
// the last page is gone, wait for this to reach 0 before the application ends: a web
// profile torn down while a renderer is still being released crashes at exit.
inline int webRenderers()
{
    const auto field = [](const QString& pid, int index) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return QByteArray();
        // "pid (name) state ppid ...": the name may hold spaces.
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2).split(' ').value(index);
    };
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    int count = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly) || !cmdline.readAll().contains("--type=renderer"))
            continue;
        QByteArray parent = field(pid, 1);
        for (int depth = 0; depth < 4 && !parent.isEmpty() && parent != self && parent != "1"; ++depth)
            parent = field(QString::fromLatin1(parent), 1);
        count += parent == self ? 1 : 0;
    }
    return count;
}


struct WebHarness
{
    ZtLayoutBase root{QStringLiteral("Root"), nullptr};
    PubWebView* web = nullptr;
    QList<QJsonObject> notices;
    int nextTag = 0;

    explicit WebHarness(bool alwaysReload = false)
    {
        web = new PubWebView(&root, alwaysReload);
        auto* layout = new QVBoxLayout(&root);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(web);
        root.resize(400, 300);
        QObject::connect(web, &PubWebView::onNoticeMessage, web, [this](QString json) {
            notices << WebObject::parseJson(json).object();
        });
    }

    // Loads the scripted page and waits until its channel is up.
    bool open()
    {
        root.show();
        notices.clear();
        web->load(QStringLiteral("qrc:/webbridge/scripted.html"));
        return waitFor([](const QJsonObject& o) { return o.value("qtcode") == "ready"; }, 20000).has_value();
    }

    template <typename Pred>
    std::optional<QJsonObject> waitFor(Pred pred, int timeoutMs = 10000)
    {
        QElapsedTimer t;
        t.start();
        int seen = 0;
        while (true) {
            for (; seen < notices.size(); ++seen) {
                if (pred(notices.at(seen))) {
                    const QJsonObject hit = notices.takeAt(seen);
                    return hit;
                }
            }
            if (t.elapsed() > timeoutMs)
                return std::nullopt;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
    }

    // The next call of a page function made by the terminal.
    std::optional<QJsonObject> called(const QString& fn)
    {
        return waitFor([&](const QJsonObject& o) { return o.value("qtcode") == "called" && o.value("fn") == fn; });
    }

    QJsonArray calledArgs(const QString& fn)
    {
        const auto c = called(fn);
        return c ? c->value("args").toArray() : QJsonArray{QStringLiteral("<not called>")};
    }

    // What a bridge method answers when the page calls it.
    QJsonValue bridge(const QString& method, const QJsonArray& args = {})
    {
        const QString tag = QString::number(++nextTag);
        web->webView()->callScript(QStringLiteral("callBridge"),
                                   {tag, method, QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact))});
        const auto r = waitFor([&](const QJsonObject& o) { return o.value("qtcode") == "result" && o.value("tag") == tag; });
        return r ? r->value("result") : QJsonValue(QStringLiteral("<no answer>"));
    }

    // Sets the bridge calls the page answers a function with.
    void answer(const QString& fn, const QJsonArray& calls)
    {
        web->webView()->callScript(QStringLiteral("setAnswers"),
                                   {fn, QString::fromUtf8(QJsonDocument(calls).toJson(QJsonDocument::Compact))});
    }

    static QJsonObject bridgeCall(const QString& method, const QJsonArray& args)
    {
        return QJsonObject{{"method", method}, {"args", args}};
    }
};
