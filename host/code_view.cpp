#include "host/code_view.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "host/text.h"
#include "host/theme.h"

namespace regsmith::host {

void FillTextDocument(QTextDocument& document, const std::string& text, const std::vector<fw::ColourRange>& colours,
                      const QFont& font, const QPalette* palette) {
    document.clear();
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat format;
    format.setFont(font);
    for (const TextRun& run : ColourRuns(text, colours)) {
        format.setForeground(palette ? ScreenColour(run.colour, *palette) : ToQColor(run.colour));
        cursor.insertText(run.text, format);
    }
    cursor.endEditBlock();
}

QColor ScreenColour(fw::Rgb colour, const QPalette& palette) {
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    if (colour == fw::Rgb{}) return ReadableOn(text, palette.color(QPalette::Active, QPalette::Base));
    return ReadableOn(ToQColor(colour), palette.color(QPalette::Active, QPalette::Base));
}

CodeView::CodeView(fw::CView* view, QWidget* parent) : QPlainTextEdit(parent), view_(view) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    // Keep the caret visible so the user can still move and select with the keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAccessibleName("Generated source");
    setAccessibleDescription("The initialisation source generated from the project's settings; read-only.");
    if (view_) {
        setFont(ResolveFixedFont(view_->GetFont()));
        view_->onTextChanged = [this] { Refresh(); };
    }
    Refresh();
}

CodeView::~CodeView() { Detach(); }

void CodeView::Detach() {
    if (view_) view_->onTextChanged = nullptr;
    view_ = nullptr;
}

void CodeView::Refresh() {
    if (!view_) return;
    const QFont font = ResolveFixedFont(view_->GetFont());
    setFont(font);
    const QPalette colours = palette();
    FillTextDocument(*document(), view_->GetText(), view_->GetColours(), font, &colours);
    QTextCursor start(document());
    setTextCursor(start);
}

void CodeView::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    // A new colour scheme: the text is coloured again for it.
    if (event->type() == QEvent::PaletteChange) Refresh();
}

}  // namespace regsmith::host
