#include "host/about.h"

#include <QCoreApplication>
#include <QtGlobal>

// Written by the build (cmake/build_info.cmake); empty when it could not tell.
#if __has_include(<build_info.h>)
#include <build_info.h>
#endif
#ifndef REGSMITH_BUILD_DATE
#define REGSMITH_BUILD_DATE ""
#endif
#ifndef REGSMITH_COMMIT
#define REGSMITH_COMMIT ""
#endif

namespace regsmith::host {

QString AboutText(std::size_t models) {
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty()) version = "1.0";
    QString text = QString("<p><b>Regsmith</b> version %1</p>").arg(version.toHtmlEscaped());
    text += "<p>Configures the on-chip peripherals of the QK74x_75x microcontrollers and writes their "
            "initialisation source in C or 8051 assembly.</p><p>";
    const QString date = REGSMITH_BUILD_DATE;
    const QString commit = REGSMITH_COMMIT;
    if (!date.isEmpty()) text += "Built: " + date.toHtmlEscaped() + "<br>";
    if (!commit.isEmpty()) text += "Commit: " + commit.toHtmlEscaped() + "<br>";
    text += QString("Qt: %1 (built with %2)<br>").arg(qVersion(), QT_VERSION_STR);
    text += QString("Device models loaded: %1<br>").arg(models);
    text += QString("Licence: %1</p>").arg(kLicence);
    return text;
}

}  // namespace regsmith::host
