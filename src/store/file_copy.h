#pragma once
// Copies of whole data files, for saving a list elsewhere and for handing a list to the next start
// as the pending data file. A copy is published whole: whoever looks at the target sees the old
// file, nothing, or the complete copy, never part of it.
//
// A copy reads the source whole first (a regular file of at most kLargestDataFile, 256 MiB). Each
// operation fails with the cause (store/failure.h), leaving the target as it was and no temporary
// file behind, when the source cannot be read or the target cannot be written. A new target is
// created private (0600); a replaced one keeps its mode.

#include <string>
#include <string_view>

#include "store/byte_sink.h"
#include "store/failure.h"

namespace velorine::store {

// Replaces the file at `target` (following a symbolic link there, unless it is dangling or another
// user's in a shared directory); a read-only file, another user's file or anything that is not a
// regular file is not replaced.
Result<> copyFileReplacing(const std::string& source, const std::string& target);

// Fails with Failure::AlreadyExists when something is already at `target`, even if it appears
// while the copy is made.
Result<> copyFileIfAbsent(const std::string& source, const std::string& target);

// The same for bytes the caller already holds (a list file read and checked, then converted).
Result<> writeFileIfAbsent(const std::string& target, std::string_view bytes);

// Bytes the program made (an exported calendar) published at `target` as copyFileReplacing does.
Result<> writeFileReplacing(const std::string& target, std::string_view bytes);
// The same for bytes made as they are written, never held whole.
Result<> writeFileReplacing(const std::string& target, const ByteProducer& produce);

}  // namespace velorine::store
