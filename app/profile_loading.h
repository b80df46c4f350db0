// The file steps of start-up: the current profile's configuration, the backup copy, the interface
// language and the button labels. ventrioctl runs the same steps.
#pragma once

#include "app/localisation.h"
#include "config/config_files.h"

namespace ventrio {

void LoadProfileAtStartup(ConfigFiles& files, ConfigState& state, Localisation& localisation);

}  // namespace ventrio
