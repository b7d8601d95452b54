#include "scores/cScore.h"

void cScore::AddScore(std::int16_t) {}

void cScore::AddSesGame(std::int16_t) {}
