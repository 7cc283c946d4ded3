#pragma once
// `regsmith --screenshot DIR`: renders the main window with a QK750 project
// and every page of every sheet the Peripherals menu offers into PNG files,
// then the main window and the first page of each sheet again in a dark
// palette (NAME-dark.png).  Windows are sized as on a 1920x1080 screen: as
// large as they naturally are where the screen has room for that.

#include <QByteArray>
#include <QPalette>
#include <QString>

#include <string>
#include <vector>

namespace fw {
class CWinApp;
}

namespace regsmith::host {

class MainWindow;
class QtPlatform;

// Writes the PNG files into `folder` (created if needed) and returns the
// names written; `error` is set when nothing could be written.  The window
// shows the project file `project`, or a new QK750 project when it is empty.
// The platform to take the pictures on when none is asked for: Qt's
// offscreen platform with one 1920x1080 screen (at QT_SCALE_FACTOR=2 that is
// 960x540 to the program).  To be called before the QApplication exists.
QByteArray ScreenshotPlatform();

// A dark palette: light text on dark grey, blue highlight.
QPalette DarkPalette();

std::vector<std::string> TakeScreenshots(fw::CWinApp& app, QtPlatform& platform, MainWindow& window,
                                         const QString& folder, std::string& error,
                                         const std::string& project = {});

}  // namespace regsmith::host
