// libFuzzer target: any bytes as the user guide. The reader must never crash or hang, must keep
// the document no larger than its input, and must read the same bytes the same way each time.
#include <QByteArrayView>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "rtf/rtf_reader.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    velorine::ui::readRtf(rtf, document);
    // Every character shown costs at least one byte; "[…]" may close a cut document.
    require(document.characterCount() <= static_cast<qsizetype>(size) + 5);

    const QString once = document.toRawText();
    document.setUndoRedoEnabled(true);
    velorine::ui::readRtf(rtf, document);  // into a document that already holds text
    require(document.toRawText() == once);
    require(document.isUndoRedoEnabled());
    return 0;
}
