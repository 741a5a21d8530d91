#include "app/startup.h"

#include <QApplication>
#include <QStyleFactory>

void PrepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    app.setQuitOnLastWindowClosed(true);
}
