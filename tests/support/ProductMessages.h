#pragma once

#include <QByteArrayView>
#include <QStringList>
#include <QtGlobal>

// What the product itself logs (the "velmoran" categories) while the recorder is installed, for
// suites that require silence on standard error; every message still goes on to the handler
// that was installed before, and the desktop's and Qt's own are not recorded.
namespace ProductMessages {

inline QStringList& recorded()
{
    static QStringList messages;
    return messages;
}

inline QtMessageHandler& previousHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

inline void record(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (QByteArrayView(context.category ? context.category : "").startsWith("velmoran"))
        recorded() << text;
    previousHandler()(type, context, text);
}

inline void install()
{
    previousHandler() = qInstallMessageHandler(record);
}

inline void uninstall()
{
    qInstallMessageHandler(previousHandler());
}

} // namespace ProductMessages
