#pragma once
// The font and colour tables of an RTF text, as the reader fills them from \fonttbl and \colortbl.

#include <QColor>
#include <QString>

#include <unordered_map>
#include <vector>

#include "rtf/rtf_state.h"

namespace velorine::ui::rtf {

struct FontEntry {
    QString family;
    FontKind kind = FontKind::Any;
};

struct Tables {
    // More entries than any real document has are ignored, so memory stays bounded.
    static constexpr std::size_t kMaxEntries = 4096;

    std::unordered_map<int, FontEntry> fonts;
    std::vector<QColor> colours;  // an invalid colour stands for the automatic one
    int defaultFont = 0;

    const FontEntry* font(int number) const;
    QColor colour(int index) const;  // invalid for 0, a missing index or the automatic colour
};

}  // namespace velorine::ui::rtf
