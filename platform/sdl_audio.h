// The SDL back ends "Mixer Native", "Mixer System" and "Mixer".
#pragma once

#include "platform/backend_registry.h"

namespace platform {

void RegisterSdlBackends(BackendRegistry& registry);

}  // namespace platform
