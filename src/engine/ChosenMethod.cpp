#include "engine/ChosenMethod.h"

#include "algorithms/AlgorithmList.h"
#include "engine/EngineState.h"

size_t ChosenMethodIndex(const EngineContext& context) {
    const long long position = context.state.job.algorithm;
    if (position < 0 || position >= static_cast<long long>(context.algorithms.count())) return 0;
    return static_cast<size_t>(position);
}

int32_t ChosenPassSteps(const EngineContext& context) {
    return ChosenShredAlgorithm(context).passCount() + (context.state.job.verify ? 1 : 0);
}

const ShredAlgorithm& ChosenShredAlgorithm(const EngineContext& context) {
    return context.algorithms.at(ChosenMethodIndex(context));
}
