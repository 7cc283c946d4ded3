#pragma once
// What pages, views and documents ask of the windowing toolkit and the
// operating system.  The desktop host implements it with real windows; the
// command-line tool answers from a script or reports to stderr.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fw {

class PropertySheet;
class Dialog;

enum class MessageIcon { None, Warning, Question, Information, Error };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class DialogResult { Ok, Cancel, Yes, No };

// A save-file dialog as the toolkit describes it.  `filter` uses the
// "Description|*.ext|Description|*.*|" form.
struct SaveFileRequest {
    std::string defaultExtension;
    std::string fileName;
    std::string filter;
    bool hideReadOnly = true;
    bool promptBeforeOverwrite = true;
};

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A run of characters drawn in one colour (positions in bytes of the text).
struct ColourRange {
    std::size_t start = 0;
    std::size_t length = 0;
    Rgb colour;
    friend bool operator==(const ColourRange&, const ColourRange&) = default;
};

struct FontSpec {
    std::string face = "Courier New";
    int pointSize = 10;
};

struct PrintRequest {
    std::string documentName;          // the print job's name
    std::string text;                  // CR LF line ends
    std::vector<ColourRange> colours;  // on top of black
    FontSpec font;
};

enum class PrintResult {
    Printed,
    Cancelled,      // the user cancelled the print dialog
    NoPrinter,      // no printer to print on
    JobFailed,      // the job could not be started
    PageFailed,     // a page could not be started; the pages before it were printed
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // Modal message box with an empty title.
    virtual DialogResult MessageBox(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;
    // Runs a sheet or dialog modally: returns Ok or Cancel.
    virtual DialogResult RunModal(PropertySheet& sheet) = 0;
    virtual DialogResult RunModal(Dialog& dialog) = 0;
    // Save-file dialog; no value when the user cancels.
    virtual std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) = 0;
    // Shows the print dialog and prints the text on the printer chosen there.
    virtual PrintResult Print(const PrintRequest& request) = 0;
    // Opens a file with the desktop's default application; false on failure.
    virtual bool OpenWithDefaultApplication(const std::string& path) = 0;
};

}  // namespace fw
