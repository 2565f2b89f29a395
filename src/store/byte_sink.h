#pragma once
// Bytes handed on piece by piece, so that a large file is written without being held whole.

#include <functional>
#include <string_view>

namespace velorine::store {

// Takes the next piece; false when it could not (a write failed), and the producer then stops.
using ByteSink = std::function<bool(std::string_view bytes)>;
// Hands every piece, in order, to the sink; false when the sink refused one.
using ByteProducer = std::function<bool(const ByteSink& write)>;

// The producer of bytes already held: one piece. They must outlive it.
inline ByteProducer wholeBytes(std::string_view bytes) {
    return [bytes](const ByteSink& write) { return write(bytes); };
}

}  // namespace velorine::store
