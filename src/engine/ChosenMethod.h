#pragma once
// The algorithm the running job uses, as its request chose it. A position
// past the list means the first algorithm.
#include <cstddef>
#include <cstdint>

#include "engine/EngineContext.h"

struct ShredAlgorithm;

size_t ChosenMethodIndex(const EngineContext& context);
const ShredAlgorithm& ChosenShredAlgorithm(const EngineContext& context);
// How often the job goes over a file's blocks: every pass, and the read-back
// of the last one when the job verifies. The overall range counts in these.
int32_t ChosenPassSteps(const EngineContext& context);
