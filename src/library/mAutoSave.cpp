#include "library/mAutoSave.h"

namespace mAutoSave {

void AutoSaveGame(Context &, bool) {}

} // namespace mAutoSave
