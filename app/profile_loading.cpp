#include "app/profile_loading.h"

namespace ventrio {

void LoadProfileAtStartup(ConfigFiles& files, ConfigState& state, Localisation& localisation) {
    files.LoadConfiguration();
    state.CopyWorkingToBackup();
    localisation.Load(LoadLanguageCode(state.labelFile));
    state.labelSection = localisation.texts.Text(0);
    files.ReadLabels();
}

}  // namespace ventrio
