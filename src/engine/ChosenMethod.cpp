#include "engine/ChosenMethod.h"

#include "algorithms/AlgorithmList.h"
#include "engine/EngineState.h"
#include "engine/SettingsStore.h"

size_t ChosenMethodIndex(const EngineContext& context) {
    const long long position =
        context.state.runMode ? context.state.runMethod : context.settings.Read(setting::kMethod);
    if (position < 0 || position >= static_cast<long long>(context.algorithms.count())) return 0;
    return static_cast<size_t>(position);
}

const ShredAlgorithm& ChosenShredAlgorithm(const EngineContext& context) {
    return context.algorithms.at(ChosenMethodIndex(context));
}
