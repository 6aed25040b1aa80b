#include "jigsaw/play/windows/PlayContext.h"

#include "jigsaw/play/GameSounds.h"

namespace qv {

void PlayContext::playSound(int number) const { sounds.play(number, options.word); }

}  // namespace qv
