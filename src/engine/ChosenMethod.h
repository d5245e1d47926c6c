#pragma once
// The algorithm the running job uses, as its request chose it. A position
// past the list means the first algorithm.
#include <cstddef>

#include "engine/EngineContext.h"

struct ShredAlgorithm;

size_t ChosenMethodIndex(const EngineContext& context);
const ShredAlgorithm& ChosenShredAlgorithm(const EngineContext& context);
