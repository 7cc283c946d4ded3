#pragma once
// `regsmith --screenshot DIR`: renders the main window with a QK750 project
// and every page of every sheet the Peripherals menu offers into PNG files.

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
std::vector<std::string> TakeScreenshots(fw::CWinApp& app, QtPlatform& platform, MainWindow& window,
                                         const QString& folder, std::string& error,
                                         const std::string& project = {});

}  // namespace regsmith::host
