#pragma once
// The algorithm a job uses: the "/O" position in a silent run, else the
// "Method" setting. A position past the list means the first algorithm.
#include <cstddef>

#include "engine/EngineContext.h"

struct ShredAlgorithm;

size_t ChosenMethodIndex(const EngineContext& context);
const ShredAlgorithm& ChosenShredAlgorithm(const EngineContext& context);
