#pragma once
// Reads the RTF of the user guide (and of any RTF a word processor writes) into a QTextDocument:
// groups, paragraphs and line breaks, tabs, bold, italic, underline, sizes, fonts, colours,
// alignment, spacing and indents, Windows-1252 and Unicode characters, bullets and numbered lists.
// Pictures, headers, document information and every other destination it does not show are
// skipped; unknown control words are ignored.
//
// Any bytes are accepted: time is linear in the size of the input and memory bounded by it, and
// nesting deeper than any document needs is read without recursion.

#include <QByteArrayView>

class QTextDocument;

namespace velorine::ui {

// Replaces the content of `document` by what can be read of the RTF text `rtf`. Never throws and
// never fails: malformed input gives what could be read.
void readRtf(QByteArrayView rtf, QTextDocument& document);

}  // namespace velorine::ui
