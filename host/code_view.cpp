#include "host/code_view.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "host/text.h"

namespace regsmith::host {

void FillTextDocument(QTextDocument& document, const std::string& text, const std::vector<fw::ColourRange>& colours,
                      const QFont& font) {
    document.clear();
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat format;
    format.setFont(font);
    for (const TextRun& run : ColourRuns(text, colours)) {
        format.setForeground(ToQColor(run.colour));
        cursor.insertText(run.text, format);
    }
    cursor.endEditBlock();
}

CodeView::CodeView(fw::CView* view, QWidget* parent) : QPlainTextEdit(parent), view_(view) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    // Keep the caret visible so the user can still move and select with the keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
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
    FillTextDocument(*document(), view_->GetText(), view_->GetColours(), font);
    QTextCursor start(document());
    setTextCursor(start);
}

}  // namespace regsmith::host
