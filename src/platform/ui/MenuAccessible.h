#pragma once
// What a screen reader reads for a menu entry. The toolkit's own reading drops only the
// first access-key marker of a caption, so "<t&r> Your Text </t&r>" would be read with a
// stray '&'. Entries whose captions mark more than one key are read here instead, as the
// caption without any marker.

namespace folio::menuAccess {

// Makes the screen reader use this reading for such entries (once for the program).
void install();

}  // namespace folio::menuAccess
