#pragma once
// The safety around `velprog write`: the checks before sending (a file with
// errors is refused unless --force), the backup and the read-back of the
// write sequence, and what the command prints about them.

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "link/write_sequence.h"
#include "velprog_commands.h"

namespace velprog {

/// Checks `image` as the write will send it and prints every problem on
/// stderr. False when there are errors and --force was not given (the
/// reason is printed).
bool WriteChecksPass(const vel::Family& family, vel::Lang lang, const RadioOptions& o, const vel::Image& image);

/// Backup (into --backup DIR or the user's data folder) and read-back as the
/// options ask; `terminal` shows each phase's name on stderr.
vel::WriteSequenceOptions WriteSequenceOptionsFor(const vel::Family& family, vel::Lang lang, const RadioOptions& o,
                                                  bool terminal);

/// Prints the backup's path ("backup: PATH" on stdout), the differences the
/// read-back found and, unless the write succeeded, the sequence's summary
/// (on stderr); on a terminal the summary of a write that succeeded too. A
/// write without backup or read-back whose session already printed why it
/// stopped (`sessionSpoke`) adds no summary: it would only repeat that.
void ReportWriteSequence(const vel::WriteSequenceResult& result, vel::Lang lang, bool terminal, bool writeOnly,
                         bool sessionSpoke);

}  // namespace velprog
