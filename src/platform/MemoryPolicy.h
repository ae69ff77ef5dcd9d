#pragma once

namespace platform {

// Call once at the start of a process that loads whole design documents. Blocks of a quarter of a
// megabyte and more then come straight from the system and go back to it when freed. By default
// the C library raises that bound after the first large block is freed, so the page trees and
// texts of one upload stay held in the heap for the rest of the process, and the next document
// stacks its peak on top of them.
void useSystemPagesForLargeBlocks();

} // namespace platform
