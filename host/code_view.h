#pragma once
// The code window's widget: a read-only text control showing a view's whole
// text in the view's fixed font, with the view's colour ranges, refreshed
// whenever the view's text changes.

#include <QPlainTextEdit>

#include <string>
#include <vector>

#include "fw/platform.h"
#include "fw/view.h"

class QTextDocument;

namespace regsmith::host {

// Replaces the contents of `document` with `text` drawn in `font`, black
// except where `colours` say otherwise.  With a `palette` the text is drawn
// for the screen: black becomes the palette's text colour and every other
// colour is kept readable on its base colour.
void FillTextDocument(QTextDocument& document, const std::string& text, const std::vector<fw::ColourRange>& colours,
                      const QFont& font, const QPalette* palette = nullptr);

// The colour the code window draws `colour` in under `palette`.
QColor ScreenColour(fw::Rgb colour, const QPalette& palette);

class CodeView : public QPlainTextEdit {
public:
    // Shows `view` and follows its changes until Detach() or destruction.
    explicit CodeView(fw::CView* view, QWidget* parent = nullptr);
    ~CodeView() override;

    fw::CView* View() const { return view_; }
    // Stops following the view (before the view is destroyed).
    void Detach();
    // Reloads the text and colours from the view; caret to the start.
    void Refresh();

protected:
    void changeEvent(QEvent* event) override;

private:
    fw::CView* view_;
};

}  // namespace regsmith::host
